// Per-monitor DPI through the functions Windows 8.1 and 10 added, each found where it exists: a
// Windows that lacks them (95 to 8, and 8.1 for those of 10) gets the system's DPI and metrics.
#pragma once

#include <windows.h>

namespace tavi {

struct DpiApi {
  int systemDpi;  // the screen's DPI as the process sees it, on every Windows

  // Windows 10 (1607 on): DPI and awareness by window, metrics and frames for any DPI.
  UINT(WINAPI* dpiForWindow)(HWND);
  int(WINAPI* systemMetricsForDpi)(int, UINT);
  BOOL(WINAPI* adjustWindowRectExForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT);
  HANDLE(WINAPI* windowAwarenessContext)(HWND);
  int(WINAPI* awarenessOfContext)(HANDLE);
  // Windows 8.1 on (shcore.dll): the DPI of a monitor and the process's awareness.
  HMONITOR(WINAPI* monitorFromWindow)(HWND, DWORD);
  HRESULT(WINAPI* dpiForMonitor)(HMONITOR, int, UINT*, UINT*);
  HRESULT(WINAPI* processAwareness)(HANDLE, int*);

  // The DPI of the screen a window is on; 0 where Windows cannot tell.
  int DpiOf(HWND window) const;
  // Whether Windows leaves the window's scaling to it (per-monitor aware,
  // v1 or v2); only then does it mean its WM_DPICHANGED to be acted on.
  bool PerMonitorAware(HWND window) const;
  // A system metric at `dpi`.
  int SystemMetric(int index, int dpi) const;
  // Turns a client rectangle into its window's, frame and caption at `dpi`
  // (before Windows 10 the frame stays at the system's DPI).
  void AdjustFrame(RECT& rect, DWORD style, int dpi) const;
};

// `twips` (1/1440 inch) in pixels at `dpi`.
inline int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// The functions this Windows has, looked up at the first call.
const DpiApi& CurrentDpiApi();

}  // namespace tavi
