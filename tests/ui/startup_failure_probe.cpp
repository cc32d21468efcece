// Starts the calculator in a process where its window class name is already
// taken, so that its class cannot be registered.
#include <windows.h>

#include "ui/app.h"

int main() {
  WNDCLASSEXA taken = {};
  taken.cbSize = sizeof taken;
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "NORMAL0";
  RegisterClassExA(&taken);
  AppMain();
}
