// WindowApi: the Unicode window functions on Windows NT; on 9x the ANSI ones, with the text converted.
#include "platform/win32/window_api.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>

#include "platform/memory.h"
#include "platform/win32/lookup.h"

namespace tavi {

namespace {

// QS_ALLINPUT as each Windows knows it: eight bits on 9x and NT 4.0, then
// QS_ALLPOSTMESSAGE from 2000 (a post already seen still counts), QS_RAWINPUT
// from XP, QS_TOUCH and QS_POINTER from 8.
constexpr DWORD kAllInputBefore2000 = 0x00FF;
constexpr DWORD kAllInput2000 = kAllInputBefore2000 | 0x0100;
constexpr DWORD kAllInputXpTo7 = kAllInput2000 | 0x0400;
constexpr DWORD kAllInputFrom8 = kAllInputXpTo7 | 0x0800 | 0x1000;

std::string Ansi(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  return out;
}

// The font of `face` (given at the system's DPI) at `dpi`, as tall as it is
// or, where its cells are taller than `tallest` pixels, the largest size of
// it whose cells are not.
template <class LogFont>
HFONT CreateFontNoTallerThan(LogFont face, int tallest, int dpi, HFONT(WINAPI* create)(const LogFont*)) {
  HDC screen = GetDC(nullptr);
  face.lfHeight = MulDiv(face.lfHeight, dpi, GetDeviceCaps(screen, LOGPIXELSY));
  HFONT font = create(&face);
  for (int cell = tallest; font && cell > 0; --cell) {
    TEXTMETRICA metrics{};
    HGDIOBJ previous = SelectObject(screen, font);
    const bool fits = GetTextMetricsA(screen, &metrics) && metrics.tmHeight <= tallest;
    SelectObject(screen, previous);
    if (fits) break;
    DeleteObject(font);
    face.lfHeight = cell;  // a positive height asks for the cell's height
    face.lfWidth = 0;
    font = create(&face);
  }
  ReleaseDC(nullptr, screen);
  return font;
}

WindowApi Choose() {
  const DWORD version = GetVersion();
  const unsigned release = LOBYTE(LOWORD(version)) * 100 + HIBYTE(LOWORD(version));  // 5.1: 501
  WindowApi api{};
  api.unicode = (version & 0x80000000) == 0;
  api.preVista = release < 600;
  // Windows 9x's numbers (4.0, 4.10, 4.90) count as before 2000.
  const bool from2000 = api.unicode && release >= 500;
  api.wakeMask = !from2000       ? kAllInputBefore2000
                 : release < 501 ? kAllInput2000
                 : release < 602 ? kAllInputXpTo7
                                 : kAllInputFrom8;
  if (from2000) {
    LookUp(api.msgWaitEx, GetModuleHandleA("USER32.DLL"), "MsgWaitForMultipleObjectsEx");
    api.waitFlags = MWMO_INPUTAVAILABLE;
  }
  if (api.unicode) {
    api.getMessage = GetMessageW;
    api.peekMessage = PeekMessageW;
    api.dispatchMessage = DispatchMessageW;
    api.isDialogMessage = IsDialogMessageW;
    api.defWindowProc = DefWindowProcW;
    api.setWindowLong = SetWindowLongW;
    api.callWindowProc = CallWindowProcW;
  } else {
    api.getMessage = GetMessageA;
    api.peekMessage = PeekMessageA;
    api.dispatchMessage = DispatchMessageA;
    api.isDialogMessage = IsDialogMessageA;
    api.defWindowProc = DefWindowProcA;
    api.setWindowLong = SetWindowLongA;
    api.callWindowProc = CallWindowProcA;
  }
  return api;
}

}  // namespace

const WindowApi& CurrentWindowApi() {
  static const WindowApi api = Choose();
  return api;
}

bool WindowApi::WaitForInput(DWORD milliseconds) const {
  // No handles, but a real array: Windows before 2000 documents no NULL here.
  static const HANDLE none[1] = {};
  const DWORD result = msgWaitEx ? msgWaitEx(0, none, milliseconds, wakeMask, waitFlags)
                                 : MsgWaitForMultipleObjects(0, none, FALSE, milliseconds, wakeMask);
  return result != WAIT_FAILED;
}

ATOM WindowApi::RegisterWindowClass(const WNDCLASSEXW& wc) const {
  if (unicode) return RegisterClassExW(&wc);
  const std::string name = Ansi(wc.lpszClassName);
  // The same fields, but for the names (tavi's window has no menu).
  const WNDCLASSEXA ansi = {sizeof ansi, wc.style,   wc.lpfnWndProc,   wc.cbClsExtra, wc.cbWndExtra, wc.hInstance,
                            wc.hIcon,    wc.hCursor, wc.hbrBackground, nullptr,       name.c_str(),  wc.hIconSm};
  return RegisterClassExA(&ansi);
}

HWND WindowApi::CreateWindowWithText(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                     void* param) const {
  if (unicode) {
    return CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menu, instance, param);
  }
  return CreateWindowExA(exStyle, Ansi(className).c_str(), Ansi(text).c_str(), style, x, y, width, height, parent, menu,
                         instance, param);
}

std::optional<WideString> FromAnsiBytes(const std::string& bytes) {
  WideString text;
  if (bytes.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(bytes.size());
  // At most one unit a byte.
  const auto convert = [&](char16_t* to) {
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(to), size);
    return static_cast<std::size_t>(n > 0 ? n : 0);
  };
  if (size && !TryWrite(text, bytes.size(), convert)) return std::nullopt;
  return text;
}

std::optional<WideString> WindowApi::TextOf(HWND window, std::size_t most) const {
  // The length Windows gives may be more than the text (never less); the
  // room for the terminating NUL comes on top. A text is read as far as it
  // was copied.
  WideString text;
  const auto copied = [](int n) { return static_cast<std::size_t>(n > 0 ? n : 0); };
  if (unicode) {
    const int length = static_cast<int>(std::min<std::size_t>(copied(GetWindowTextLengthW(window)), most));
    const auto read = [&](char16_t* to) {
      return copied(GetWindowTextW(window, reinterpret_cast<wchar_t*>(to), length + 1));
    };
    if (length > 0 && !TryWrite(text, static_cast<std::size_t>(length) + 1, read)) return std::nullopt;
    return text;
  }
  // Windows 9x: the ANSI text, converted, and then cut.
  const int length = GetWindowTextLengthA(window);
  std::string bytes;
  const auto read = [&](char* to) { return copied(GetWindowTextA(window, to, length + 1)); };
  if (length <= 0) return text;
  if (!TryWrite(bytes, static_cast<std::size_t>(length) + 1, read)) return std::nullopt;
  std::optional<WideString> converted = FromAnsiBytes(bytes);
  if (converted && converted->size() > most) converted->resize(most);
  return converted;
}

void WindowApi::SetText(HWND window, const WideString& text) const {
  if (unicode) {
    SetWindowTextW(window, reinterpret_cast<const wchar_t*>(text.c_str()));
    return;
  }
  SetWindowTextA(window, Ansi(reinterpret_cast<const wchar_t*>(text.c_str())).c_str());
}

HFONT WindowApi::CreateMessageFont(int tallest, int dpi) const {
  // Windows before Vista rejects the structure with its Vista field (iPaddedBorderWidth).
  if (unicode) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = preVista ? offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth) : sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
    return CreateFontNoTallerThan(metrics.lfMessageFont, tallest, dpi, CreateFontIndirectW);
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
  return CreateFontNoTallerThan(metrics.lfMessageFont, tallest, dpi, CreateFontIndirectA);
}

}  // namespace tavi
