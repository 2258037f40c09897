// DpiApi: the DPI functions of Windows 8.1 and 10 where GetProcAddress finds them, the system's DPI elsewhere.
#include "platform/win32/dpi_api.h"

#include "platform/win32/lookup.h"

namespace tavi {

namespace {

constexpr int kPerMonitorAware = 2;   // DPI_AWARENESS_PER_MONITOR_AWARE, PROCESS_PER_MONITOR_DPI_AWARE
constexpr int kEffectiveDpi = 0;      // MDT_EFFECTIVE_DPI
constexpr DWORD kNearestMonitor = 2;  // MONITOR_DEFAULTTONEAREST

DpiApi Find() {
  DpiApi api{};
  HDC screen = GetDC(nullptr);
  api.systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const HMODULE user32 = GetModuleHandleA("USER32.DLL");
  LookUp(api.dpiForWindow, user32, "GetDpiForWindow");
  LookUp(api.systemMetricsForDpi, user32, "GetSystemMetricsForDpi");
  LookUp(api.adjustWindowRectExForDpi, user32, "AdjustWindowRectExForDpi");
  LookUp(api.windowAwarenessContext, user32, "GetWindowDpiAwarenessContext");
  LookUp(api.awarenessOfContext, user32, "GetAwarenessFromDpiAwarenessContext");
  LookUp(api.monitorFromWindow, user32, "MonitorFromWindow");
  // shcore.dll serves only where user32 has the DPI functions of 8.1 but not
  // those of 10, and is loaded only there: older Windows have none.
  const bool only81 = !api.dpiForWindow || !api.windowAwarenessContext || !api.awarenessOfContext;
  if (only81 && api.monitorFromWindow && GetProcAddress(user32, "PhysicalToLogicalPointForPerMonitorDPI")) {
    const HMODULE shcore = LoadSystemLibrary("\\SHCORE.DLL");
    LookUp(api.dpiForMonitor, shcore, "GetDpiForMonitor");
    LookUp(api.processAwareness, shcore, "GetProcessDpiAwareness");
  }
  return api;
}

}  // namespace

const DpiApi& CurrentDpiApi() {
  static const DpiApi api = Find();
  return api;
}

int DpiApi::DpiOf(HWND window) const {
  if (dpiForWindow) return static_cast<int>(dpiForWindow(window));
  UINT x = 0, y = 0;
  if (dpiForMonitor && dpiForMonitor(monitorFromWindow(window, kNearestMonitor), kEffectiveDpi, &x, &y) == S_OK) {
    return static_cast<int>(y);
  }
  return 0;
}

bool DpiApi::PerMonitorAware(HWND window) const {
  if (windowAwarenessContext && awarenessOfContext) {
    return awarenessOfContext(windowAwarenessContext(window)) == kPerMonitorAware;
  }
  int awareness = 0;
  return processAwareness && processAwareness(nullptr, &awareness) == S_OK && awareness == kPerMonitorAware;
}

int DpiApi::SystemMetric(int index, int dpi) const {
  if (systemMetricsForDpi) return systemMetricsForDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, systemDpi);
}

void DpiApi::AdjustFrame(RECT& rect, DWORD style, int dpi) const {
  if (adjustWindowRectExForDpi) {
    adjustWindowRectExForDpi(&rect, style, FALSE, 0, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, 0);
  }
}

}  // namespace tavi
