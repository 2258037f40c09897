// The launch benchmark's yardstick: tavi's window and nothing else (the same class of window, the
// same three controls and two hidden labels in the message font, the same manifest with common
// controls 6), without tavi's logic; started as tavi.exe is (its entry point and runtime, no C
// runtime library).
#include <windows.h>

#include <commctrl.h>

#include "app/start.h"

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int TaviMain(HINSTANCE instance, int show) {
  InitCommonControls();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = CreateSolidBrush(0x00EFEFEF);
  wc.lpszClassName = L"minimal.Form1";
  RegisterClassExW(&wc);
  RECT frame = {0, 0, 307, 39};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND form = CreateWindowExW(0, wc.lpszClassName, L"give tavi", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  const DWORD shown = WS_VISIBLE | WS_TABSTOP;
  const struct {
    const wchar_t *cls, *text;
    DWORD style, exStyle;
    int x, y, width;
  } controls[] = {{L"BUTTON", L"tavi", shown | BS_DEFPUSHBUTTON, 0, 248, 8, 49},
                  {L"STATIC", L"Message", SS_NOPREFIX, 0, 0, 0, 0},
                  {L"EDIT", L"<3333333333333333333", shown | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 8, 8, 233},
                  {L"STATIC", L"Chat program's window class", SS_NOPREFIX, 0, 0, 0, 0},
                  {L"EDIT", L"AOL Frame25", shown | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 8, 40, 233}};
  for (const auto& c : controls) {
    HWND control = CreateWindowExW(c.exStyle, c.cls, c.text, WS_CHILD | c.style, c.x, c.y, c.width, 25, form, nullptr,
                                   instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(form, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
