// roomsim's controls of the host's classes, each a superclass of a stock control, and the state of
// the host they share with its frame and rooms.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/roomsim/host.h"

namespace roomsim {

// Posted to the frame: stop handling messages (a hung host), or quit.
constexpr UINT kHangMessage = WM_APP + 1;
constexpr UINT kExitMessage = WM_APP + 2;
// The frame's timers that show a line in a history late (--echo-delay), one a line, from this one on.
constexpr UINT_PTR kEchoTimer = 100;
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
  bool underWine = false;    // (a workaround for Wine's EM_GETLINE across programs)
  HANDLE release = nullptr;  // ends a hold (--hold-after, --hold-text)
  // Lines to be shown late (--echo-delay), oldest first: the history and the line.
  std::vector<std::pair<HWND, std::string>> echoes;
  UINT_PTR echoTimers = 0;
};
extern HostState g;

// Registers the control classes; false where a stock class is missing.
bool RegisterControlClasses();
// Submits a room's input: records the line, shows it (or, as the options say, later or never),
// empties the input; holds, hangs or quits after the line the options say.
void Submit(HWND input);
// Shows the oldest line waiting to be shown (its timer is `timer`).
void ShowEcho(HWND frame, UINT_PTR timer);

}  // namespace roomsim
