// Form1's window and controls, its keyboard behaviour, its messages and its load, click and unload events.
#include "app/form1.h"

#include <commctrl.h>

#include "chat/chat.h"
#include "platform/win32/dpi_api.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {

const wchar_t kClassName[] = L"tavi.Form1";
const wchar_t kCaption[] = L"give tavi";

constexpr int kCommand1Id = IDOK;  // Enter in the message box presses the button
constexpr int kText1Id = 101;
constexpr int kText10Id = 102;
constexpr UINT_PTR kLookTimer = 1;  // the posts looked for in the room's history once the runs end
constexpr UINT kLookMs = 500;

const wchar_t kInitialMessage[] = L"<3333333333333333333";
const wchar_t kInitialFrameClass[] = L"AOL Frame25";

}  // namespace

int RunForm1(Win32Platform& platform, HINSTANCE instance, int show) {
  // Loads comctl32 (version 6, by the manifest, from XP on: the visual
  // styles). The Ex form is missing from Windows 95's first comctl32.
  InitCommonControls();
  // On the heap: it lives until the process ends, which runs no destructor.
  Form1& form = *new Form1(platform);
  if (!form.Create(instance, show)) return 1;
  platform.SetDialogWindow(reinterpret_cast<WindowHandle>(form.hwnd()));
  platform.SetCommandKey(VK_F2, kPreviewCommand);          // F2: the preview
  platform.SetCommandKey(VK_F6, kPreviewKeyboardCommand);  // F6: the keyboard into it
  MSG msg{};
  BOOL got = 0;
  while ((got = CurrentWindowApi().getMessage(&msg, nullptr, 0, 0)) > 0) platform.Dispatch(&msg);
  // The quit message's code, or 0 where the loop ended without one.
  return got == 0 ? static_cast<int>(msg.wParam) : 0;
}

Form1::Form1(Win32Platform& platform)
    : platform_(platform),
      message_([this] { return CurrentWindowApi().TextOf(text1_); }),
      roster_(MakeVariantRoster(platform)),
      // Each post also recorded, to be looked for in the room's history.
      poster_([this](WideString& line) {
        arrivals_.Post(
            line, [this] { return CurrentWindowApi().TextOf(text10_); }, GetTickCount());
        ShowArrivals();
      }),
      wait_([this](const std::int32_t& seconds) { WaitSeconds(seconds, platform_, stopped_); }),
      stopped_([this] { return runs_.Stopped(); }),
      arrivals_(platform),
      preview_(platform, text1_, text10_, arrivals_) {}

void SetAlwaysOnTop(Platform& platform, WindowHandle window) {
  // Not activated: whether the window takes the keyboard is its show command's to say.
  platform.SetWindowPos(window, kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoActivate);
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
  wc.hbrBackground = FormBrush();
  wc.lpszClassName = kClassName;
  if (!CurrentWindowApi().RegisterWindowClass(wc)) return false;

  const SIZE frame = FrameSize(dpiX_, dpiY_);
  hwnd_ = CurrentWindowApi().CreateWindowWithText(0, kClassName, kCaption, kForm1Style, CW_USEDEFAULT, CW_USEDEFAULT,
                                                  frame.cx, frame.cy, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  // Per-monitor DPI (Windows 8.1 on): the window may have opened on a screen
  // of another DPI than the system's.
  if (const int dpi = CurrentDpiApi().DpiOf(hwnd_); dpi && dpi != dpiY_ && CurrentDpiApi().PerMonitorAware(hwnd_)) {
    ChangeDpi(dpi, dpi, nullptr);
  } else {
    FitClientArea();
  }

  // The preview, in the window's system menu (Alt+Space) as in the F2 key.
  const HMENU menu = GetSystemMenu(hwnd_, FALSE);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kPreviewCommand, "&Preview\tF2");

  Form_Load();
  // As whoever started tavi asked: a show command that does not activate
  // (a shortcut's "Run: Minimized") leaves the keyboard where it is. The
  // focus goes to the button when the window is activated (WM_ACTIVATE).
  // Minimized and active (a launcher's "start minimized") is shown minimized
  // and not active: an active minimized window takes the keys typed in the
  // window the user is still looking at, and tavi's keys post into a room.
  ShowWindow(hwnd_, show == SW_SHOWMINIMIZED ? SW_SHOWMINNOACTIVE : show);
  return true;
}

void Form1::CreateControls() {
  const WindowApi& api = CurrentWindowApi();
  // Created in tab order: Command1, Text1, Text10; placed by PlaceControls.
  auto control = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int id) {
    return api.CreateWindowWithText(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  };
  // Screen readers name a box after the label just before it: each box has
  // one of its own, never shown, no tab stop and no mnemonic.
  auto label = [&](const wchar_t* text) {
    api.CreateWindowWithText(0, L"STATIC", text, WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, hwnd_, nullptr, instance_,
                             nullptr);
  };
  command1_ = control(L"BUTTON", L"tavi", BS_DEFPUSHBUTTON, 0, kCommand1Id);
  label(L"Message");
  text1_ = control(L"EDIT", kInitialMessage, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kText1Id);
  label(L"Chat program's window class");
  text10_ = control(L"EDIT", kInitialFrameClass, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kText10Id);
  PlaceControls();
  // No length limit of our own: lines of any length can be pasted.
  SendMessageA(text1_, EM_SETLIMITTEXT, 0, 0);
  SendMessageA(text10_, EM_SETLIMITTEXT, 0, 0);
  lastFocus_ = command1_;
}

void Form1::SaveFocus() {
  if (HWND focus = GetFocus(); focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

void Form1::RestoreFocus(bool minimized) { SetFocus(minimized ? nullptr : lastFocus_); }

void Form1::Form_Load() { SetAlwaysOnTop(platform_, reinterpret_cast<WindowHandle>(hwnd_)); }

void Form1::Command1_Click() {
  // Runs inside the event loop's dispatch; its waits handle further events,
  // so a second click here starts a nested run, up to a bound: a click
  // beyond it only beeps.
  const bool ran = runs_.TryStart([this] {
    arrivals_.RunStarted(roster_.size());
    ShowArrivals();
    SendAllVariants(message_, roster_, poster_, wait_, stopped_);
    arrivals_.RunEnded();
    ShowArrivals();
  });
  if (!ran) MessageBeep(MB_OK);
}

void Form1::ShowArrivals() {
  preview_.ShowArrivals();
  // While runs go on, each post looks for those before it.
  if (arrivals_.Awaiting() && !arrivals_.Running()) {
    SetTimer(hwnd_, kLookTimer, kLookMs, nullptr);
  } else {
    KillTimer(hwnd_, kLookTimer);
  }
}

void Form1::Form_Escape() {
  runs_.StopAll();
  preview_.Close();
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
      // The button's click, or Enter pressed in the message box; Esc pressed in any control.
      if (LOWORD(wp) == kCommand1Id && HIWORD(wp) == BN_CLICKED && GetFocus() != text10_) Command1_Click();
      if (LOWORD(wp) == IDCANCEL) Form_Escape();
      // F2; F6, or the preview giving the keyboard back (to the message box); a box's new text,
      // which the preview shows.
      if (LOWORD(wp) == kPreviewCommand && HIWORD(wp) == 1) preview_.Toggle(hwnd_);
      if (LOWORD(wp) == kPreviewKeyboardCommand && HIWORD(wp) == 1) preview_.TakeKeyboard(hwnd_);
      if (LOWORD(wp) == kPreviewKeyboardCommand && HIWORD(wp) == 0) SetFocus(lastFocus_ = text1_);
      if ((LOWORD(wp) == kText1Id || LOWORD(wp) == kText10Id) && HIWORD(wp) == EN_CHANGE) {
        // A new message once the posts are settled: what became of them is told no more.
        if (LOWORD(wp) == kText1Id && !arrivals_.Busy()) arrivals_.Clear();
        preview_.Update(LOWORD(wp) == kText10Id);
      }
      return 0;
    case WM_TIMER:
      arrivals_.Look(GetTickCount());
      ShowArrivals();
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) != kPreviewCommand) break;
      preview_.Toggle(hwnd_);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Esc while minimized, where the keys come to the window itself.
      if (wp == VK_ESCAPE) Form_Escape();
      break;
    case WM_SYSCHAR:
      // Windows restores a minimized window on Enter, after which the next
      // Enter would press the button: a line typed for another window could
      // be posted. Minimized, tavi is restored by a click or Alt+Tab only.
      if (wp == VK_RETURN && IsIconic(hwnd_)) return 0;
      break;
    case WM_NCHITTEST: {
      // Only the top and bottom edges size the window (its width is fixed):
      // the side edges are plain borders, the corners size the height.
      const LRESULT hit = CurrentWindowApi().defWindowProc(hwnd_, msg, wp, lp);
      if (hit == HTLEFT || hit == HTRIGHT) return HTBORDER;
      if (hit == HTTOPLEFT || hit == HTTOPRIGHT) return HTTOP;
      if (hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) return HTBOTTOM;
      return hit;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return ControlColours(msg, wp, lp);
    case WM_SYSCOLORCHANGE:
      // The controls keep system colours of their own (the common controls ask for it).
      for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, msg, wp, lp);
      }
      Recolour();
      Reframe();
      break;
    case WM_DISPLAYCHANGE: Recolour(); break;  // another colour depth
    case WM_THEMECHANGED: Reframe(); break;    // another frame
    case WM_SETTINGCHANGE:
      // High contrast on or off (its colours, and from XP to 7 another
      // frame); new metrics: another frame, another message font.
      if (wp == SPI_SETHIGHCONTRAST) Recolour();
      if (wp == SPI_SETHIGHCONTRAST || wp == SPI_SETNONCLIENTMETRICS) Reframe();
      break;
    case WM_GETDPISCALEDSIZE:
      // Moving to a screen of another DPI (Windows 10 on): the size there.
      *reinterpret_cast<SIZE*>(lp) = FrameSize(LOWORD(wp), LOWORD(wp));
      return TRUE;
    case WM_DPICHANGED:
      // Per-monitor DPI (Windows 8.1 on): laid out again from the twips, in
      // the rectangle Windows suggests. A window Windows scales itself (a
      // compatibility setting) leaves the message to DefWindowProc.
      if (!CurrentDpiApi().PerMonitorAware(hwnd_)) break;
      ChangeDpi(LOWORD(wp), HIWORD(wp), reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        SaveFocus();
        break;
      }
      RestoreFocus(HIWORD(wp) || IsIconic(hwnd_));
      return 0;
    case WM_SIZE:
      // Minimized or restored while active (WM_ACTIVATE may not come again).
      if (GetActiveWindow() == hwnd_) {
        if (wp == SIZE_MINIMIZED) SaveFocus();
        if (wp == SIZE_MINIMIZED || !IsChild(hwnd_, GetFocus())) RestoreFocus(wp == SIZE_MINIMIZED);
      }
      KeepHeight();
      if (reframeOnRestore_ && wp != SIZE_MINIMIZED) Reframe();
      preview_.OwnerMoved();
      break;
    case WM_MOVE: preview_.OwnerMoved(); break;  // (also by a DPI change)
    case WM_GETMINMAXINFO: SizeBounds(*reinterpret_cast<MINMAXINFO*>(lp)); return 0;
    case WM_CLOSE:
    case WM_ENDSESSION:
      if (msg == WM_CLOSE || wp) Form_Unload();  // ends the process, also mid-run
      return 0;
  }
  return CurrentWindowApi().defWindowProc(hwnd_, msg, wp, lp);
}

}  // namespace tavi
