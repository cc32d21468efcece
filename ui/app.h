// Process start-up, the shared font and brush, the main window's class and the
// message loop.
#pragma once

#include <windows.h>

#include "ui/shared_state.h"

// Exit code when the class cannot be registered or the window not created.
inline constexpr UINT STARTUP_FAILURE_EXIT_CODE = 1;

// Creates UiFont and FaceBrush (the button-face colour, sampled once).
void CreateSharedObjects();
// Registers the main window's class, MAIN_WINDOW_CLASS. Returns false on failure.
bool RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window, whose form is built while it is created.
HWND CreateMainWindow(HINSTANCE instance);
// Dispatches messages until the quit message (or a failure of GetMessageA).
void RunMessageLoop();

// The whole program: start-up, message loop, then the end of the process.
[[noreturn]] void AppMain();
