// The calculator started for real, driven from this process, and ended each
// way a user can end it.
#include <gtest/gtest.h>
#include <windows.h>

#include "tools/window_driver/remote_calculator.h"

namespace {

constexpr DWORD START_TIMEOUT_MS = 20000;
constexpr DWORD EXIT_TIMEOUT_MS = 20000;

// A started program that ends with the test: whatever assertion fails, no
// process of the test is left running.
struct StartedProcess {
  PROCESS_INFORMATION info = {};
  ~StartedProcess() {
    if (info.hProcess != nullptr) {
      TerminateProcess(info.hProcess, STILL_ACTIVE);  // fails harmlessly once it has ended
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
    }
  }
};

DWORD WaitForExitCode(const StartedProcess& process) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process.info.hProcess, EXIT_TIMEOUT_MS) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.info.hProcess, &code);
  }
  return code;
}

TEST(Calculator, CalculatesAndEndsWithCodeZeroEitherWay) {
  enum class Ending { CloseBox, ExitButton };
  for (Ending ending : {Ending::CloseBox, Ending::ExitButton}) {
    StartedProcess process;
    ASSERT_TRUE(StartProgram(SiblingProgram("EggPeriod.exe"), process.info));
    HWND window = WaitForCalculatorWindow(process.info.dwProcessId, START_TIMEOUT_MS);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CalculateThroughWindow(window, "20"), "8.38222980499268");
    EXPECT_EQ(CalculateThroughWindow(window, ""), "-22.3713645935059");
    if (ending == Ending::CloseBox) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    } else {
      PostMessageA(GetDlgItem(window, ExitButton), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(WaitForExitCode(process), 0u) << (ending == Ending::CloseBox ? "close" : "exit");
  }
}

TEST(Calculator, EndsAtOnceWithAFailureCodeWhenItCannotOpenItsWindow) {
  StartedProcess process;
  ASSERT_TRUE(StartProgram(SiblingProgram("startup_failure_probe.exe"), process.info));
  EXPECT_EQ(WaitForExitCode(process), 1u);
}

}  // namespace
