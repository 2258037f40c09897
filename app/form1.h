// Form1: tavi's one window, with the message box, the button and the frame-class box.
#pragma once

#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "sequence/sequence.h"

namespace tavi {

class Form1 {
 public:
  explicit Form1(Win32Platform& platform);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Creates the window and its controls; Form_Load runs before it is shown.
  bool Create(HINSTANCE instance, int show);
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();

  void Form_Load();
  void Command1_Click();
  void Form_Unload();  // ends the process; does not return

  Win32Platform& platform_;
  // What a click runs, made once: a click itself asks for no memory but its texts.
  const TextSource message_;
  const VariantRoster roster_;
  const ChatPoster poster_;
  const WaitOperation wait_;
  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND command1_ = nullptr;
  HWND text1_ = nullptr;
  HWND text10_ = nullptr;
  HWND lastFocus_ = nullptr;
  HBRUSH formBrush_ = nullptr;
  HBRUSH text1Brush_ = nullptr;
  HBRUSH text10Brush_ = nullptr;
  HFONT font_ = nullptr;
  int dpiX_ = 96;
  int dpiY_ = 96;
};

// Creates Form1 over `platform` and runs the event loop until the process ends.
int RunForm1(Win32Platform& platform, HINSTANCE instance, int show);

// Keeps a window above all non-topmost windows, without moving or sizing it.
void SetAlwaysOnTop(Platform& platform, WindowHandle window);

}  // namespace tavi
