// WindowApi: the Unicode window functions on Windows NT; on 9x the ANSI ones, with the text converted.
#include "platform/win32/window_api.h"

#include <cstddef>
#include <string>

namespace tavi {

namespace {

std::string Ansi(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  return out;
}

WindowApi Choose() {
  const DWORD version = GetVersion();
  WindowApi api{};
  api.unicode = (version & 0x80000000) == 0;
  api.preVista = LOBYTE(LOWORD(version)) < 6;
  if (api.unicode) {
    api.getMessage = GetMessageW;
    api.peekMessage = PeekMessageW;
    api.dispatchMessage = DispatchMessageW;
    api.isDialogMessage = IsDialogMessageW;
    api.defWindowProc = DefWindowProcW;
    api.waitFlags = MWMO_INPUTAVAILABLE;
  } else {
    api.getMessage = GetMessageA;
    api.peekMessage = PeekMessageA;
    api.dispatchMessage = DispatchMessageA;
    api.isDialogMessage = IsDialogMessageA;
    api.defWindowProc = DefWindowProcA;
    api.waitFlags = 0;  // the flag above is documented from Windows 2000 on
  }
  return api;
}

}  // namespace

const WindowApi& CurrentWindowApi() {
  static const WindowApi api = Choose();
  return api;
}

ATOM WindowApi::RegisterWindowClass(const WNDCLASSEXW& wc) const {
  if (unicode) return RegisterClassExW(&wc);
  const std::string name = Ansi(wc.lpszClassName);
  // The same fields, but for the names (tavi's window has no menu).
  const WNDCLASSEXA ansi = {sizeof ansi, wc.style,   wc.lpfnWndProc, wc.cbClsExtra,    wc.cbWndExtra,
                            wc.hInstance, wc.hIcon, wc.hCursor,    wc.hbrBackground, nullptr,
                            name.c_str(), wc.hIconSm};
  return RegisterClassExA(&ansi);
}

HWND WindowApi::CreateWindowWithText(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                                     int x, int y, int width, int height, HWND parent, HMENU menu,
                                     HINSTANCE instance, void* param) const {
  if (unicode) {
    return CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menu, instance, param);
  }
  return CreateWindowExA(exStyle, Ansi(className).c_str(), Ansi(text).c_str(), style, x, y, width, height, parent,
                         menu, instance, param);
}

WideString WindowApi::TextOf(HWND window) const {
  if (unicode) {
    const int length = GetWindowTextLengthW(window);
    WideString text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
  }
  const int length = GetWindowTextLengthA(window);
  std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, bytes.data(), length + 1);
  if (copied <= 0) return {};
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), copied, nullptr, 0);
  WideString text(static_cast<std::size_t>(units > 0 ? units : 0), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), copied, reinterpret_cast<wchar_t*>(text.data()), units);
  return text;
}

HFONT WindowApi::CreateMessageFont() const {
  // Windows before Vista rejects the structure with its Vista field (iPaddedBorderWidth).
  if (unicode) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = preVista ? offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth) : sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

}  // namespace tavi
