// tavi's main: the platform, and Form1 with its event loop until the window closes.
#include <windows.h>

#include "app/form1.h"
#include "app/start.h"

int TaviMain(HINSTANCE instance, int show) {
  tavi::Win32Platform platform;
  return tavi::RunForm1(platform, instance, show);
}
