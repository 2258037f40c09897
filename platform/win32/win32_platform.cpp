// Win32Platform: events, clock, random draws, ANSI text and window messages on user32.
#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "platform/memory.h"
#include "platform/win32/process_level.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {
HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }
}  // namespace

Win32Platform::Win32Platform() : generator_(GetTickCount() ^ (GetCurrentProcessId() << 16)) {}

void Win32Platform::Dispatch(const void* message) {
  const WindowApi& api = CurrentWindowApi();
  MSG msg = *static_cast<const MSG*>(message);
  if (dialogWindow_) {
    // A held Enter repeats its key-down (bit 30: the key was already down)
    // some 30 times a second; only the first one presses the button.
    const HWND dialog = Hwnd(dialogWindow_);
    const bool ours = msg.hwnd == dialog || IsChild(dialog, msg.hwnd);
    if (ours && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && (msg.lParam & (1 << 30))) return;
    // Minimized, tavi takes no dialog keys: Enter and Space press nothing.
    if (!IsIconic(dialog)) {
      for (const CommandKey& k : commandKeys_) {
        if (!ours || msg.message != WM_KEYDOWN || k.key == 0 || msg.wParam != k.key) continue;
        // Its auto-repeats are no presses, and with Ctrl or Shift it is another key (with Alt it
        // comes as a system key).
        const bool alone = GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
        if (alone && (msg.lParam & (1 << 30)) == 0) ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(k.command, 1), 0);
        return;
      }
      if (api.isDialogMessage(dialog, &msg)) return;
    }
  }
  TranslateMessage(&msg);
  api.dispatchMessage(&msg);
}

bool Win32Platform::ProcessPendingEvents() {
  MSG msg;
  bool handled = false;
  while (CurrentWindowApi().peekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // A quit request in the middle of a run (another program can post one)
    // ends tavi as closing the window does: at once, no post after it.
    if (msg.message == WM_QUIT) EndProcess();
    Dispatch(&msg);
    handled = true;
  }
  return handled;
}

namespace {
// Whole milliseconds, rounded up: a wait never ends just short of its time.
DWORD Milliseconds(double seconds) {
  const double ms = seconds * 1000.0;
  if (!(ms < 0x7FFFFFFF)) return 0x7FFFFFFF;
  DWORD whole = static_cast<DWORD>(static_cast<LONG>(ms));
  return whole < ms ? whole + 1 : whole;
}
}  // namespace

bool Win32Platform::EventsPending() {
  // The high word: every kind of input in the queue, also input already seen.
  return HIWORD(GetQueueStatus(CurrentWindowApi().wakeMask)) != 0;
}

bool Win32Platform::WaitForEventOrTimeout(double seconds) {
  if (!(seconds > 0)) return true;
  return CurrentWindowApi().WaitForInput(Milliseconds(seconds));
}

void Win32Platform::Pause(double seconds) {
  if (seconds > 0) Sleep(Milliseconds(seconds));
}

double Win32Platform::TimeOfDay() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

void Win32Platform::ReseedFromClock() { generator_.Reseed(TimeOfDay()); }

float Win32Platform::DrawRandom() { return generator_.Draw(); }

std::optional<AnsiString> Win32Platform::ToAnsi(const WideString& text) {
  AnsiString out;
  if (text.empty()) return out;
  // The conversion counts in int.
  if (text.size() > INT_MAX) return std::nullopt;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  // Ask for the size first: in multibyte code pages one character can take
  // several bytes. Missing characters become a best-fit character or "?".
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::nullopt;
  const auto convert = [&](char* to) { WideCharToMultiByte(CP_ACP, 0, wide, length, to, bytes, nullptr, nullptr); };
  if (!TryWrite(out, static_cast<std::size_t>(bytes), convert)) return std::nullopt;
  return out;
}

std::optional<WideString> Win32Platform::FromAnsi(const AnsiString& text) { return FromAnsiBytes(text); }

WindowHandle Win32Platform::FindWindowA(const AnsiString& className) {
  return Handle(::FindWindowA(className.c_str(), nullptr));
}

WindowHandle Win32Platform::FindWindowExA(WindowHandle parent, WindowHandle childAfter, const AnsiString& className) {
  return Handle(::FindWindowExA(Hwnd(parent), Hwnd(childAfter), className.c_str(), nullptr));
}

WideString Win32Platform::WindowCaption(WindowHandle window) {
  return CurrentWindowApi().TextOf(Hwnd(window), 255).value_or(WideString());
}

HostAccess Win32Platform::AccessTo(WindowHandle window) { return AccessToWindow(Hwnd(window)); }

bool Win32Platform::LastLines(WindowHandle control, std::size_t from, std::vector<ControlLine>& lines) {
  // Each message as a post's: given up after the timeout, at once for a hung program. Lines are
  // asked for by number from the last one back, and no further back than `from`: lines start
  // where the one before ends, so once a line starts at `from` or before, none before it is asked.
  const auto ask = [&](UINT message, WPARAM wp, void* lp, DWORD_PTR& answer) {
    return SendMessageTimeoutA(Hwnd(control), message, wp, reinterpret_cast<LPARAM>(lp), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                               messageTimeoutMs_, &answer) != 0;
  };
  lines.clear();
  DWORD_PTR count = 0;
  if (!control || !ask(EM_GETLINECOUNT, 0, nullptr, count)) return false;
  while (count-- > 0 && lines.size() < kMostLines) {
    // A line of a history laid out in a pane is far shorter than the buffer: one longer is cut.
    // The buffer's first word says its size, as EM_GETLINE wants.
    static char buffer[4096];
    DWORD_PTR start = 0, copied = 0;
    *reinterpret_cast<WORD*>(buffer) = sizeof buffer;
    if (!ask(EM_LINEINDEX, count, nullptr, start) || !ask(EM_GETLINE, count, buffer, copied)) return false;
    std::optional<WideString> text = FromAnsiBytes(std::string(buffer, std::min<std::size_t>(copied, sizeof buffer)));
    if (!text) return false;
    lines.push_back({start, std::move(*text)});
    if (start <= from) break;
  }
  std::reverse(lines.begin(), lines.end());
  return !lines.empty();  // (a control of no lines is no text control)
}

bool Win32Platform::SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam, const char* text) {
  if (window == 0) return false;
  DWORD_PTR result = 0;
  // Synchronous, but a host that hangs cannot freeze us for longer than the
  // timeout. Blocking: no message sent to tavi meanwhile (a click by another
  // program) is handled between a post's text and its Enter.
  return SendMessageTimeoutA(Hwnd(window), message, wParam, reinterpret_cast<LPARAM>(text),
                             SMTO_BLOCK | SMTO_ABORTIFHUNG, messageTimeoutMs_, &result) != 0;
}

bool Win32Platform::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                                 unsigned flags) {
  return ::SetWindowPos(Hwnd(window), Hwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

void Win32Platform::EndProcess() { ExitProcess(0); }

}  // namespace tavi
