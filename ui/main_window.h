// The main window's procedure: creation, commands, closing and destruction.
#pragma once

#include <windows.h>

// The main window, recorded when it receives WM_CREATE.
extern HWND MainWindow;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
