// The window functions whose ANSI and Unicode forms differ, chosen once at start-up: Unicode on
// Windows NT, ANSI on Windows 95, 98 and Me, which have the Unicode forms only as stubs that fail.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace tavi {

struct WindowApi {
  bool unicode;   // Windows NT: Unicode windows and text
  bool preVista;  // the system's structures end before their Vista fields

  // Functions with one signature in both forms.
  BOOL(WINAPI* getMessage)(LPMSG, HWND, UINT, UINT);
  BOOL(WINAPI* peekMessage)(LPMSG, HWND, UINT, UINT, UINT);
  LRESULT(WINAPI* dispatchMessage)(const MSG*);
  BOOL(WINAPI* isDialogMessage)(HWND, LPMSG);
  LRESULT(WINAPI* defWindowProc)(HWND, UINT, WPARAM, LPARAM);
  // MsgWaitForMultipleObjectsEx's flags: also wake for input already seen,
  // where Windows has that flag.
  DWORD waitFlags;

  // The rest take or give text, converted from and to the ANSI code page on 9x.
  ATOM RegisterWindowClass(const WNDCLASSEXW& windowClass) const;
  HWND CreateWindowWithText(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                            void* param) const;
  WideString TextOf(HWND window) const;
  // The font Windows uses for message boxes; nullptr if it cannot tell.
  HFONT CreateMessageFont() const;
};

// The forms for the Windows this runs on, decided from GetVersion at the first call.
const WindowApi& CurrentWindowApi();

}  // namespace tavi
