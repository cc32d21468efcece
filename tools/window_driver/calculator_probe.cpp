// Reads the running calculator's window from outside, for the run command and
// the tests that drive the calculator with real keystrokes and clicks.
//   calculator_probe --processes
//     prints "process PID" for each calculator window there is now;
//   calculator_probe [TIMEOUT_MS [PID]]
//     waits up to TIMEOUT_MS (30000 unless given) for the window of process PID
//     (of any process unless given) and its whole form, then prints:
//   window LEFT TOP RIGHT BOTTOM ICONIC      outer rectangle, in screen pixels
//   client X Y                               client origin, in screen pixels
//   control ID X Y WIDTH HEIGHT TEXT         per control, client pixels; TEXT
//                                            is its code page 932 bytes in hex
//   spot NAME X Y                            where to point to reach the caption's
//                                            close and minimise (or, minimised,
//                                            restore) buttons and the bottom-right
//                                            sizing corner, in screen pixels
// Exits with 1, printing nothing, if no calculator window appears.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/window_driver/remote_calculator.h"

namespace {

constexpr DWORD DEFAULT_TIMEOUT_MS = 30000;
constexpr int TEXT_CAPACITY = 256;
// Pixels in from the window's bottom edge at which to look for the sizing corner.
constexpr int SIZE_SPOT_INSET = 2;

std::string Hex(const char* text) {
  std::string hex;
  for (const char* c = text; *c != '\0'; ++c) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(*c));
    hex += pair;
  }
  return hex.empty() ? "-" : hex;
}

void PrintControl(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  if (control == nullptr) {
    return;
  }
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  // Another process's edit control answers GetWindowTextA with its creation
  // text: ask for its contents with WM_GETTEXT instead.
  char text[TEXT_CAPACITY] = {};
  SendMessageA(control, WM_GETTEXT, TEXT_CAPACITY, reinterpret_cast<LPARAM>(text));
  std::printf("control %d %ld %ld %ld %ld %s\n", id, rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top, Hex(text).c_str());
}

// Where the window's own hit test answers `area` along the row `y`, looking
// leftwards from the right edge, where the caption's buttons are: the middle of
// the first run of such pixels, if there is one.
bool FindSpot(HWND window, const RECT& outer, int y, LRESULT area, POINT& spot) {
  LONG runEnd = -1;
  for (LONG x = outer.right - 1; x >= outer.left; --x) {
    bool inArea = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == area;
    if (inArea && runEnd < 0) {
      runEnd = x;
    } else if (!inArea && runEnd >= 0) {
      spot = {(x + 1 + runEnd) / 2, y};
      return true;
    }
  }
  return false;
}

void PrintSpot(const char* name, HWND window, const RECT& outer, int y, LRESULT area) {
  POINT spot = {};
  if (FindSpot(window, outer, y, area, spot)) {
    std::printf("spot %s %ld %ld\n", name, spot.x, spot.y);
  }
}

BOOL CALLBACK PrintCalculatorProcess(HWND window, LPARAM) {
  if (IsCalculatorWindow(window)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::printf("process %lu\n", owner);
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--processes") == 0) {
    EnumWindows(PrintCalculatorProcess, 0);
    return 0;
  }
  DWORD timeoutMs = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : DEFAULT_TIMEOUT_MS;
  DWORD processId = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : ANY_PROCESS;
  HWND window = WaitForCalculatorWindow(processId, timeoutMs);
  if (window == nullptr) {
    return 1;
  }
  RECT outer = {};
  GetWindowRect(window, &outer);
  POINT client = {0, 0};
  ClientToScreen(window, &client);
  std::printf("window %ld %ld %ld %ld %d\n", outer.left, outer.top, outer.right, outer.bottom,
              IsIconic(window) ? 1 : 0);
  std::printf("client %ld %ld\n", client.x, client.y);
  for (int id = FIRST_CONTROL; id <= LAST_CONTROL; ++id) {
    PrintControl(window, id);
  }
  // The caption runs from the top of the window to the client area, or fills
  // the whole of a minimised window.
  bool iconic = IsIconic(window);
  int captionRow = iconic ? (outer.top + outer.bottom) / 2 : (outer.top + client.y) / 2;
  PrintSpot("close", window, outer, captionRow, HTCLOSE);
  PrintSpot("minimize", window, outer, captionRow, HTMINBUTTON);
  PrintSpot("size", window, outer, outer.bottom - SIZE_SPOT_INSET, HTBOTTOMRIGHT);
  return 0;
}
