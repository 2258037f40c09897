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
  HWND people = nullptr, icon = nullptr, label = nullptr;
};

// Registers the window classes and builds the tree the options ask for.
bool CreateHost(const Options& options, HINSTANCE instance);
// Runs the event loop until the host quits; returns the exit code.
int RunHost();

// Records a line in the transcript file (if any) with the current time.
void RecordLine(const std::string& kind, const std::string& fields, const std::string& bytes);
// Shows a line said by `speaker` in a room's history, its markup rendered.
void AppendToHistory(HWND history, const std::string& speaker, const std::string& ansiBytes);

}  // namespace roomsim
