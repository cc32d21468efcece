// Used by the run command on a virtual display: waits for the calculator's
// window, types a temperature, presses Calculate, and prints the result and
// the window's outer rectangle as "left top width height".
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/ui/remote_calculator.h"

namespace {

struct TopWindowSearch {
  HWND found;
};

BOOL CALLBACK MatchAnyCalculator(HWND window, LPARAM lParam) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "NORMAL0") {
    reinterpret_cast<TopWindowSearch*>(lParam)->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr DWORD POLL_MS = 100;
  constexpr DWORD TIMEOUT_MS = 30000;
  const char* temperature = argc > 1 ? argv[1] : "20";
  TopWindowSearch search = {nullptr};
  for (DWORD waited = 0; search.found == nullptr && waited < TIMEOUT_MS; waited += POLL_MS) {
    EnumWindows(MatchAnyCalculator, reinterpret_cast<LPARAM>(&search));
    Sleep(POLL_MS);
  }
  if (search.found == nullptr) {
    std::fprintf(stderr, "The calculator's window did not appear.\n");
    return 1;
  }
  std::string result = CalculateThroughWindow(search.found, temperature);
  RECT rect = {};
  GetWindowRect(search.found, &rect);
  std::printf("%s\n%ld %ld %ld %ld\n", result.c_str(), rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top);
  return 0;
}
