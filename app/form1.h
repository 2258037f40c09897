// Form1: tavi's one window, with the message box, the button and the frame-class box.
#pragma once

#include <windows.h>

#include "app/preview.h"
#include "chat/arrivals.h"
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
  // The form's client area in twips (1/1440 inch); the window can be made taller, up to the
  // height that shows the frame-class box whole, with the margin above it below it too.
  static constexpr int kClientWidth = 4605;
  static constexpr int kClientHeight = 585;
  static constexpr int kTallestHeight = 1080;
  // The background colours: the form's, the message box's, the frame-class box's.
  enum Colour { kFormColour, kText1Colour, kText10Colour, kColours };

  // form1.cpp: the window, its controls and its messages.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();
  // The control that has the focus, kept while tavi is inactive or minimized.
  void SaveFocus();
  // The focus back in the control that had it (at first the button). While
  // minimized, on none: keys then go to the window itself (as system keys),
  // where none presses the button or edits a box.
  void RestoreFocus(bool minimized);

  // form1_colours.cpp: the colours as this screen shows them, and their
  // brushes; under high contrast, the system's.
  void MakeColours();
  // The form's background brush.
  HBRUSH FormBrush() const;
  // The colours made again and the window repainted in them (a new colour
  // depth, system colours or high-contrast setting).
  void Recolour();
  // The answer to a WM_CTLCOLOR* message: a control's colours.
  LRESULT ControlColours(UINT msg, WPARAM wp, LPARAM lp);

  // form1_layout.cpp: sizes and places in twips, at the window's DPI.
  // The window's size for its client area at a DPI, as the metrics say.
  SIZE FrameSize(int dpiX, int dpiY) const;
  // Places the controls from their twips at the window's DPI, in a font that fits them.
  void PlaceControls();
  // Resizes the window so that its client area is the form's size, whatever its frame.
  void FitClientArea();
  // The frame around the client area (the window's size less the client area's), as it is
  // now, or as it was when the window last had one: a minimized window, and one still in its
  // minimized rectangle while being restored, has none.
  SIZE Frame();
  // A new frame or message font (theme, metrics, high contrast, system colours): the font made
  // again and the client area set as at a start, keeping the height the user chose. Done on the
  // next restore where the window is minimized.
  void Reframe();
  // Lays the window out again at a new DPI, in the `suggested` rectangle or where it is.
  void ChangeDpi(int dpiX, int dpiY, const RECT* suggested);
  // The bounds of a resize: the form's width, and its height up to the tallest.
  void SizeBounds(MINMAXINFO& bounds);
  // Keeps the height the user gave the window, in twips, across DPI changes.
  void KeepHeight();
  // The window's icons in the sizes for its DPI.
  void LoadIcons();

  void Form_Load();
  void Command1_Click();
  // What became of the posts shown (the preview's rows and note), and looked for again while one
  // is awaited.
  void ShowArrivals();
  void Form_Escape();  // Esc: stops every run in progress and closes the preview
  void Form_Unload();  // ends the process; does not return

  Win32Platform& platform_;
  // What a click runs, made once: a click itself asks for no memory but its texts.
  const TextSource message_;
  const VariantRoster roster_;
  const ChatPoster poster_;
  const WaitOperation wait_;
  const StopCheck stopped_;
  RunsInProgress runs_;
  Arrivals arrivals_;
  Preview preview_;
  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND command1_ = nullptr;
  HWND text1_ = nullptr;
  HWND text10_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool highContrast_ = false;
  COLORREF colour_[kColours] = {};
  HBRUSH brush_[kColours] = {};
  HFONT font_ = nullptr;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  int dpiX_ = 96;
  int dpiY_ = 96;
  int heightTwips_ = kClientHeight;  // the client area's height: the form's or more
  SIZE frame_ = {};                  // the last frame measured (see Frame)
  bool changingDpi_ = false;
  bool reframeOnRestore_ = false;
};

// The window's style: a sizing border, through which it can only be made taller (down to the
// form's size), so that the frame-class box below the form shows.
inline constexpr DWORD kForm1Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;

// Creates Form1 over `platform` and runs the event loop until the process ends.
int RunForm1(Win32Platform& platform, HINSTANCE instance, int show);

// Keeps a window above all non-topmost windows, without moving, sizing or activating it.
void SetAlwaysOnTop(Platform& platform, WindowHandle window);

}  // namespace tavi
