// The window's process-wide variables: the main window, and the font and the
// brush that the whole window shares. Start-up creates the font and the brush,
// the main window's creation records the window, and its destruction deletes
// the font and the brush.
#pragma once

#include <windows.h>

// The main window, recorded when it receives WM_CREATE.
extern HWND MainWindow;
// The font set on every control, and the brush behind the window's client
// area. Both are created at start-up and deleted when the window is destroyed.
extern HFONT UiFont;
extern HBRUSH FaceBrush;

// The program's exit code however it ends: closed, or by the Exit button.
inline constexpr UINT NORMAL_EXIT_CODE = 0;
