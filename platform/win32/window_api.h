// The window functions that differ between Windows versions, chosen once at start-up: Unicode on
// Windows NT, ANSI on Windows 95, 98 and Me (which have the Unicode forms only as stubs that fail),
// and the message wait with only what each version knows. (DPI: dpi_api.h.)
#pragma once

#include <windows.h>

#include <optional>

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
  // A subclass keeps a Unicode window Unicode only through the W forms.
  LONG(WINAPI* setWindowLong)(HWND, int, LONG);
  LRESULT(WINAPI* callWindowProc)(WNDPROC, HWND, UINT, WPARAM, LPARAM);

  // The message wait: the kinds of input that end it (QS_ALLINPUT with only
  // the bits this Windows documents, and from Windows 2000 on
  // QS_ALLPOSTMESSAGE), and, from 2000 on, MsgWaitForMultipleObjectsEx
  // (looked up: 95 lacks it) with MWMO_INPUTAVAILABLE, so that input
  // already seen also ends it. Flags are chosen by version: no function
  // tells which ones a Windows takes.
  DWORD wakeMask;
  DWORD waitFlags;
  DWORD(WINAPI* msgWaitEx)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);

  // Waits up to `milliseconds` for a message or other input; false if the wait failed.
  bool WaitForInput(DWORD milliseconds) const;

  // The rest take or give text, converted from and to the ANSI code page on 9x.
  ATOM RegisterWindowClass(const WNDCLASSEXW& windowClass) const;
  HWND CreateWindowWithText(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) const;
  // A window's text, its first `most` units at most; nothing if the memory for it is not there.
  // GetWindowText: of a window of another program, its caption, read without a message to it (it
  // never waits on a hung one).
  std::optional<WideString> TextOf(HWND window, std::size_t most = static_cast<std::size_t>(-1)) const;
  // Sets a window's text (a child control's, which may be any length).
  void SetText(HWND window, const WideString& text) const;
  // The font Windows uses for message boxes at `dpi`, in the largest size of
  // it whose cells are at most `tallest` pixels high; nullptr if it cannot tell.
  HFONT CreateMessageFont(int tallest, int dpi) const;
};

// Text in the ANSI code page converted, as a window reads it; nothing if the memory for it is not there.
std::optional<WideString> FromAnsiBytes(const std::string& bytes);

// The forms for the Windows this runs on, decided from GetVersion at the first call.
const WindowApi& CurrentWindowApi();

}  // namespace tavi
