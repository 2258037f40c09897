// The program's main, which tavi.exe's own entry point (app/start.cpp) calls once start-up is done.
#pragma once

#include <windows.h>

// Runs the program; its result is the process's exit code.
int TaviMain(HINSTANCE instance, int show);
