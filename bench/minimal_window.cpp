// The start-up benchmark's yardstick: the least a Win32 program can do to show a window, started
// as tavi.exe is (its entry point and runtime, no C runtime library).
#include <windows.h>

#include "app/start.h"

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int TaviMain(HINSTANCE instance, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"minimal";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"minimal", L"minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 80,
                            nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
