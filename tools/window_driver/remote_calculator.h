// Starting the calculator as a separate process and reaching its window, for
// the tests that drive it from outside and for the run command's driver.
#pragma once

#include <windows.h>

#include <string>

#include "ui/window_ids.h"

// Path of a program that lies beside the running one.
inline std::string SiblingProgram(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder + name;
}

inline bool StartProgram(const std::string& path, PROCESS_INFORMATION& process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + path + "\"";
  return CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process) != 0;
}

// Matches a calculator window of any process.
inline constexpr DWORD ANY_PROCESS = 0;

struct WindowSearch {
  DWORD processId;
  HWND found;
};

// Whether `window` is a calculator's main window, by its class.
inline bool IsCalculatorWindow(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  return std::string(className) == MAIN_WINDOW_CLASS;
}

inline BOOL CALLBACK MatchCalculatorWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  bool ownerMatches = search->processId == ANY_PROCESS || owner == search->processId;
  if (ownerMatches && IsCalculatorWindow(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Waits up to `timeoutMs` for the main window of the process (or of any
// process, with ANY_PROCESS).
inline HWND WaitForCalculatorWindow(DWORD processId, DWORD timeoutMs) {
  constexpr DWORD POLL_MS = 50;
  for (DWORD waited = 0;; waited += POLL_MS) {
    WindowSearch search = {processId, nullptr};
    EnumWindows(MatchCalculatorWindow, reinterpret_cast<LPARAM>(&search));
    // The window is visible to others while it is still building its form:
    // wait for the last control too.
    if (search.found != nullptr && GetDlgItem(search.found, LAST_CONTROL) != nullptr) {
      return search.found;
    }
    if (waited >= timeoutMs) {
      return nullptr;
    }
    Sleep(POLL_MS);
  }
}

// Types `temperature` into the temperature field, presses Calculate and
// returns the result field's text.
inline std::string CalculateThroughWindow(HWND window, const char* temperature) {
  SendMessageA(GetDlgItem(window, TemperatureEdit), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(temperature));
  SendMessageA(GetDlgItem(window, CalculateButton), BM_CLICK, 0, 0);
  char result[64] = {};
  SendMessageA(GetDlgItem(window, EggPeriodEdit), WM_GETTEXT, sizeof result,
               reinterpret_cast<LPARAM>(result));
  return result;
}
