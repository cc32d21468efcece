// Used by the run command on a virtual display: waits for the calculator's
// window, types a temperature, presses Calculate, and prints the result and
// the window's outer rectangle as "left top width height".
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/ui/remote_calculator.h"

int main(int argc, char** argv) {
  constexpr DWORD TIMEOUT_MS = 30000;
  const char* temperature = argc > 1 ? argv[1] : "20";
  HWND window = WaitForCalculatorWindow(ANY_PROCESS, TIMEOUT_MS);
  if (window == nullptr) {
    std::fprintf(stderr, "The calculator's window did not appear.\n");
    return 1;
  }
  std::string result = CalculateThroughWindow(window, temperature);
  RECT rect = {};
  GetWindowRect(window, &rect);
  std::printf("%s\n%ld %ld %ld %ld\n", result.c_str(), rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top);
  return 0;
}
