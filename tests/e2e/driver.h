// Drives tavi.exe from outside, as a user would: find the window, fill the boxes, click, close.
#pragma once

#include <string>

#include "support.h"

namespace e2e {

class TaviApp {
 public:
  // Starts tavi.exe and waits for its window.
  TaviApp();
  // Finds a tavi window already open (any process).
  static TaviApp FindRunning(double seconds);
  bool ready() const { return form != nullptr; }
  Process& process() { return process_; }

  void SetText(HWND box, const std::wstring& text) const;
  std::wstring TextOf(HWND window) const;
  // Presses the button (the click arrives through tavi's event queue).
  void Click() const;
  // Closes the window as its close box does.
  void Close() const;
  // The control that has the keyboard focus in tavi.
  HWND Focus() const;
  void PressKey(UINT virtualKey) const;
  void Type(const std::wstring& text) const;
  // Pastes `text` over the message box's contents, as a user would paste a
  // long line (through the clipboard, so any length works).
  bool Paste(const std::wstring& text) const;
  // How long tavi takes to answer a message sent to its window; a large
  // value when it does not answer within `limit` seconds.
  double Ping(double limit = 10) const;

  HWND form = nullptr;
  HWND command1 = nullptr;
  HWND text1 = nullptr;
  HWND text10 = nullptr;

 private:
  explicit TaviApp(Process process);
  void FindWindowOf(DWORD pid, double seconds);

  Process process_;
};

// A chat room (roomsim, started first) and tavi.
struct RoomAndTavi {
  explicit RoomAndTavi(const std::string& roomOptions = "") : room(roomOptions) {}
  Roomsim room;
  TaviApp tavi;
  bool ready() const { return room.ready() && tavi.ready(); }
};

}  // namespace e2e
