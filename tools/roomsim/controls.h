// roomsim's controls of the host's classes, each a superclass of a stock control, and the state of
// the host they share with its frame and rooms.
#pragma once

#include <windows.h>

#include <vector>

#include "tools/roomsim/host.h"

namespace roomsim {

// Posted to the frame: stop handling messages (a hung host), or quit.
constexpr UINT kHangMessage = WM_APP + 1;
constexpr UINT kExitMessage = WM_APP + 2;
// Marks the windows of the decoys: what reaches them is recorded as "decoy".
inline const char* const kDecoyProp = "roomsim.decoy";

enum Part { kRich, kReadOnly, kListbox, kIcon, kStatic, kPartCount };
inline const char* const kPartClass[kPartCount] = {"RICHCNTL", "RICHCNTLREADONLY", "_AOL_Listbox", "_AOL_Icon",
                                                   "_AOL_Static"};

struct HostState {
  Options options;
  HINSTANCE instance = nullptr;
  HWND frame = nullptr;
  HWND mdi = nullptr;
  std::vector<Room*> rooms;
  HFONT font = nullptr;
  int lines = 0;
  int texts = 0;          // texts set into a room's input by another program
  bool clearing = false;  // the host empties an input itself
  bool creatingDecoy = false;
  HANDLE release = nullptr;  // ends a hold (--hold-after, --hold-text)
};
extern HostState g;

// Registers the control classes; false where a stock class is missing.
bool RegisterControlClasses();
// Submits a room's input: records the line, shows it, empties the input; holds, hangs or quits
// after the line the options say.
void Submit(HWND input);

}  // namespace roomsim
