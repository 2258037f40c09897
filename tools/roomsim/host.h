// roomsim's host window tree: the frame, its MDI client, rooms, decoys.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tools/roomsim/options.h"

namespace roomsim {

struct Room {
  int number = 0;
  HWND child = nullptr;    // "AOL Child"
  HWND history = nullptr;  // the pane that shows submitted lines
  HWND input = nullptr;    // the "RICHCNTL" that submits on Enter
  int inputOrdinal = 1;    // which "RICHCNTL" of the room the input is
  // Text set into the input, kept whole: the control shows at most its
  // beginning, so lines of millions of characters stay quick.
  std::string setBytes;
  std::string shownBytes;
  bool edited = false;  // typed into since the text was last set
  bool settingText = false;
  HWND people = nullptr, icon = nullptr, label = nullptr;
};

// Registers the window classes and builds the tree the options ask for.
bool CreateHost(const Options& options, HINSTANCE instance);
// Runs the event loop until the host quits; returns the exit code.
int RunHost();

// Shows a line said by `speaker` in a room's history, its markup rendered
// (long lines only in part).
void AppendToHistory(HWND history, const std::string& speaker, const std::string& ansiBytes);

}  // namespace roomsim
