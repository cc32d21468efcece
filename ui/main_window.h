// The main window's procedure: creation, commands, closing and destruction.
#pragma once

#include <windows.h>

#include "ui/shared_state.h"

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
