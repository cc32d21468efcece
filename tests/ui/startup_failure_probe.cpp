// Starts the calculator in a process where its window class name is already
// taken, so that its class cannot be registered.
#include <windows.h>

#include "ui/app.h"
#include "ui/window_ids.h"

int main() {
  WNDCLASSEXA taken = {};
  taken.cbSize = sizeof taken;
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = MAIN_WINDOW_CLASS;
  RegisterClassExA(&taken);
  AppMain();
}
