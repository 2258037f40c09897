// Form1's layout, colours, keyboard behaviour and its load, click and unload events.
#include "app/form1.h"

#include <commctrl.h>

#include "chat/chat.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {

const wchar_t kClassName[] = L"tavi.Form1";
const wchar_t kCaption[] = L"give tavi";

// The form's, the message box's (a bright sky blue) and the frame-class box's.
constexpr COLORREF kColour[] = {0x00EFEFEF, 0x00FFC501, 0x00E0E0E0};

// A fixed-size window: the client area is exactly the form's size.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Sizes and positions in twips (1/1440 inch).
constexpr int kClientWidth = 4605;
constexpr int kClientHeight = 585;
struct Placement {
  int left, top, width, height;
};
constexpr Placement kCommand1 = {3720, 120, 735, 375};
constexpr Placement kText1 = {120, 120, 3495, 375};
constexpr Placement kText10 = {120, 600, 3495, 375};  // below the visible client area

constexpr int kCommand1Id = IDOK;  // Enter in the message box presses the button
constexpr int kText1Id = 101;
constexpr int kText10Id = 102;

const wchar_t kInitialMessage[] = L"<3333333333333333333";
const wchar_t kInitialFrameClass[] = L"AOL Frame25";

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// On a screen of 256 colours or fewer, the nearest colour it shows solid: of
// the 20 colours of the default palette, which such screens always show
// (the system palette's other entries may still be dithered in a brush),
// then the nearest the device has (16-colour VGA lacks four of the 20).
COLORREF SolidColour(HDC screen, COLORREF colour) {
  const auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  PALETTEENTRY entry{};
  GetPaletteEntries(palette, GetNearestPaletteIndex(palette, colour), 1, &entry);
  return GetNearestColor(screen, RGB(entry.peRed, entry.peGreen, entry.peBlue));
}

}  // namespace

int RunForm1(Win32Platform& platform, HINSTANCE instance, int show) {
  // Loads comctl32 (version 6, by the manifest, from XP on: the visual
  // styles). The Ex form is missing from Windows 95's first comctl32.
  InitCommonControls();
  static Form1 form(platform);  // lives until the process ends
  if (!form.Create(instance, show)) return 1;
  platform.SetDialogWindow(reinterpret_cast<WindowHandle>(form.hwnd()));
  MSG msg;
  while (CurrentWindowApi().getMessage(&msg, nullptr, 0, 0) > 0) platform.Dispatch(&msg);
  return static_cast<int>(msg.wParam);
}

Form1::Form1(Win32Platform& platform)
    : platform_(platform),
      message_([this] { return CurrentWindowApi().TextOf(text1_); }),
      roster_(MakeVariantRoster(platform)),
      poster_(MakeChatPoster([this] { return CurrentWindowApi().TextOf(text10_); }, platform)),
      wait_([this](const std::int32_t& seconds) { WaitSeconds(seconds, platform_); }) {}

void SetAlwaysOnTop(Platform& platform, WindowHandle window) {
  platform.SetWindowPos(window, kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
}

bool Form1::Create(HINSTANCE instance, int show) {
  instance_ = instance;
  HDC screen = GetDC(nullptr);
  dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  MakeColours();

  // Icon and cursor by number: the ANSI calls serve every Windows.
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = brush_[kFormColour];
  wc.lpszClassName = kClassName;
  if (!CurrentWindowApi().RegisterWindowClass(wc)) return false;

  const SIZE frame = FrameSize(dpiX_, dpiY_);
  hwnd_ = CurrentWindowApi().CreateWindowWithText(0, kClassName, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                                  frame.cx, frame.cy, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  // Per-monitor DPI (Windows 10 on): the window may have opened on a screen
  // of another DPI than the system's.
  if (const int dpi = CurrentWindowApi().DpiOf(hwnd_); dpi && dpi != dpiY_) ChangeDpi(dpi, dpi, nullptr);

  Form_Load();
  ShowWindow(hwnd_, show);
  SetFocus(command1_);
  return true;
}

void Form1::CreateControls() {
  const WindowApi& api = CurrentWindowApi();
  // Created in tab order: Command1, Text1, Text10; placed by PlaceControls.
  auto control = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int id) {
    return api.CreateWindowWithText(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  };
  command1_ = control(L"BUTTON", L"tavi", BS_DEFPUSHBUTTON, 0, kCommand1Id);
  text1_ = control(L"EDIT", kInitialMessage, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kText1Id);
  text10_ = control(L"EDIT", kInitialFrameClass, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kText10Id);
  PlaceControls();
  // No length limit of our own: lines of any length can be pasted.
  SendMessageA(text1_, EM_SETLIMITTEXT, 0, 0);
  SendMessageA(text10_, EM_SETLIMITTEXT, 0, 0);
  lastFocus_ = command1_;
}

void Form1::MakeColours() {
  // A screen of 256 colours or fewer dithers a brush of a colour it lacks,
  // but gives a text background the nearest solid colour: there both take
  // a solid colour, so each control is one flat colour.
  HDC screen = GetDC(nullptr);
  const bool palette = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) <= 8;
  for (int k = 0; k < kColours; ++k) {
    colour_[k] = palette ? SolidColour(screen, kColour[k]) : kColour[k];
    if (brush_[k]) DeleteObject(brush_[k]);
    brush_[k] = CreateSolidBrush(colour_[k]);
  }
  ReleaseDC(nullptr, screen);
}

SIZE Form1::FrameSize(int dpiX, int dpiY) const {
  RECT frame = {0, 0, Pixels(kClientWidth, dpiX), Pixels(kClientHeight, dpiY)};
  CurrentWindowApi().AdjustFrame(frame, kStyle, dpiY);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form1::PlaceControls() {
  const WindowApi& api = CurrentWindowApi();
  // The controls' text is never clipped: the boxes and the button are all
  // 375 twips high, and their 3-D edges and a pixel of margin above and
  // below leave the rest for the text. A larger message font is made to fit.
  const int inside = Pixels(kText1.height, dpiY_) - 2 * (api.SystemMetric(SM_CYEDGE, dpiY_) + 1);
  const HFONT previous = font_;
  font_ = api.CreateMessageFont(inside, dpiY_);
  const struct {
    HWND control;
    Placement p;
  } controls[] = {{command1_, kCommand1}, {text1_, kText1}, {text10_, kText10}};
  for (const auto& [control, p] : controls) {
    SetWindowPos(control, nullptr, Pixels(p.left, dpiX_), Pixels(p.top, dpiY_), Pixels(p.width, dpiX_),
                 Pixels(p.height, dpiY_), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  if (previous) DeleteObject(previous);
}

void Form1::ChangeDpi(int dpiX, int dpiY, const POINT* position) {
  dpiX_ = dpiX;
  dpiY_ = dpiY;
  RECT now;
  GetWindowRect(hwnd_, &now);
  const POINT at = position ? *position : POINT{now.left, now.top};
  const SIZE frame = FrameSize(dpiX_, dpiY_);
  SetWindowPos(hwnd_, nullptr, at.x, at.y, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  // The client area is the form's size also where the frame did not change
  // with the DPI as the metrics for it said (the frame of a per-monitor v1
  // window, on Windows 10 1607, stays at the system's DPI).
  RECT client;
  GetClientRect(hwnd_, &client);
  const int wider = Pixels(kClientWidth, dpiX_) - client.right, taller = Pixels(kClientHeight, dpiY_) - client.bottom;
  if (wider || taller) {
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx + wider, frame.cy + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PlaceControls();
}

void Form1::Form_Load() { SetAlwaysOnTop(platform_, reinterpret_cast<WindowHandle>(hwnd_)); }

void Form1::Command1_Click() {
  // Runs inside the event loop's dispatch; its waits handle further events,
  // so a second click here starts a nested run, up to a bound: a click
  // beyond it only beeps.
  if (!runs_.TryStart([this] { SendAllVariants(message_, roster_, poster_, wait_); })) MessageBeep(MB_OK);
}

void Form1::Form_Unload() { platform_.EndProcess(); }

LRESULT CALLBACK Form1::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form1* form = nullptr;
  // The ANSI forms work for Unicode windows too where no text is involved.
  if (msg == WM_NCCREATE) {
    form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  } else {
    form = reinterpret_cast<Form1*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  return form ? form->HandleMessage(msg, wp, lp) : CurrentWindowApi().defWindowProc(hwnd, msg, wp, lp);
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: CreateControls(); return 0;
    case WM_COMMAND:
      // The button's click, or Enter pressed in the message box.
      if (LOWORD(wp) == kCommand1Id && HIWORD(wp) == BN_CLICKED && GetFocus() != text10_) Command1_Click();
      return 0;
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      const Colour box = reinterpret_cast<HWND>(lp) == text1_ ? kText1Colour : kText10Colour;
      SetBkColor(dc, colour_[box]);
      SetTextColor(dc, RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(brush_[box]);
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wp), colour_[kFormColour]);
      return reinterpret_cast<LRESULT>(brush_[kFormColour]);
    case WM_DISPLAYCHANGE:
      // Another colour depth: the colours as the screen now shows them.
      MakeColours();
      SetClassLongPtrA(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_[kFormColour]));
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_GETDPISCALEDSIZE:
      // Moving to a screen of another DPI (Windows 10 on): the size there.
      *reinterpret_cast<SIZE*>(lp) = FrameSize(LOWORD(wp), LOWORD(wp));
      return TRUE;
    case WM_DPICHANGED: {
      // Per-monitor DPI (Windows 8.1 on): laid out again from the twips, at
      // the place Windows suggests.
      const auto* suggested = reinterpret_cast<const RECT*>(lp);
      const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{};
      ChangeDpi(LOWORD(wp), HIWORD(wp), suggested ? &at : nullptr);
      return 0;
    }
    case WM_ACTIVATE:
      // Give the focus back to the control that had it.
      if (LOWORD(wp) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (lastFocus_) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_CLOSE:
    case WM_ENDSESSION:
      if (msg == WM_CLOSE || wp) Form_Unload();  // ends the process, also mid-run
      return 0;
  }
  return CurrentWindowApi().defWindowProc(hwnd_, msg, wp, lp);
}

}  // namespace tavi
