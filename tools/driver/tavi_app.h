// Drives tavi.exe from outside, as a user would: find the window, fill the boxes, type, click, close.
#pragma once

#include <string>
#include <vector>

#include "tools/driver/desktop.h"
#include "tools/driver/hooks.h"
#include "tools/driver/support.h"

namespace driver {

class TaviApp {
 public:
  // Starts tavi.exe (with `environment` added and `show` asked for, see Process) and waits for its window.
  explicit TaviApp(const std::string& environment = "", int show = -1);
  // Finds a tavi window already open (any process).
  static TaviApp FindRunning(double seconds);
  bool ready() const { return form != nullptr; }
  Process& process() { return process_; }

  // Replaces a box's text at once (the message is sent, not queued).
  void SetText(HWND box, const std::wstring& text) const;
  std::wstring TextOf(HWND window) const;

  // The rest is queued in tavi's event queue, as the keyboard and mouse do,
  // and happens in order when tavi next handles its events.
  void Click() const;
  // `clicks` clicks queued at once: tavi is stopped while they are queued, so
  // that all of them wait in its queue before it handles the first.
  void ClickStorm(int clicks) const;
  // Closes the window as its close box does.
  void Close() const;
  // Keys go to the control that has the focus when tavi handles them.
  void PressKey(UINT virtualKey) const;
  // A key held down: its key-down, `repeats` auto-repeated key-downs, its key-up.
  void HoldKey(UINT virtualKey, int repeats) const;
  // Selects all of `box` and types `text` over it.
  void TypeOver(HWND box, const std::wstring& text) const;

  // The control that has the keyboard focus in tavi.
  HWND Focus() const;
  // A control's left, top, width and height in the form's client area.
  std::vector<LONG> PlaceOf(HWND control) const;
  // The form's client area: width and height.
  std::vector<LONG> ClientSize() const;
  // Tells tavi its screen now has `dpi`, with `suggested` (if any) as the rectangle Windows
  // suggests, made in tavi's own process by the hooks (loaded for it): Wine does not carry the
  // pointer across processes.
  void SendDpiChanged(int dpi, const RECT* suggested);
  // Pastes `text` over the message box's contents, as a user would paste a
  // long line (through the clipboard, so any length works).
  bool Paste(const std::wstring& text) const;

  // The preview window, if it is open, and its rows: the room's line, the seven posts, a note.
  HWND Preview() const;
  std::vector<HWND> PreviewRows() const;
  // Opens the preview from the window's system menu: Alt+Space and then P on the keyboard, tavi
  // brought in front first.
  void PreviewFromMenu() const;

  // Brings driver_hooks.dll into tavi's process (tools/driver/hooks.cpp) through a message hook on
  // tavi's thread; whether it is there with tavi's high-contrast query hooked. Nothing is written
  // into tavi's memory, and tavi.exe itself stays as built.
  bool LoadHooks();
  // Has the hooks carry out `command` with `number` on tavi's thread; its result (0 without them).
  LRESULT RunInTavi(hooks::Command command, LPARAM number) const;

  HWND form = nullptr;
  HWND command1 = nullptr;
  HWND text1 = nullptr;
  HWND text10 = nullptr;

 private:
  explicit TaviApp(Process process);
  void FindWindowOf(DWORD pid, double seconds);

  Process process_;
  HWND hooks_ = nullptr;  // the window of driver_hooks.dll in tavi's process
};

// A chat room (roomsim, started first) and tavi.
struct RoomAndTavi {
  explicit RoomAndTavi(const std::string& roomOptions = "", int show = -1) : room(roomOptions), tavi("", show) {}
  Roomsim room;
  TaviApp tavi;
  bool ready() const { return room.ready() && tavi.ready(); }
};

}  // namespace driver
