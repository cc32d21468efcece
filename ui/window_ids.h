// What identifies the calculator's window: the main window's class name and
// the child-window identifiers of the form's controls. The window is built
// with them, and the tools that drive it from another process find it by them.
#pragma once

inline constexpr const char* MAIN_WINDOW_CLASS = "NORMAL0";

// Child-window identifiers of the form's controls, in creation order.
enum ControlId : int {
  PurposeLabel = 1000,
  MethodLabel = 1001,
  CautionLabel = 1002,
  LowTemperatureNote = 1003,
  SurvivalNote = 1004,
  TemperatureGroup = 1005,
  EggPeriodGroup = 1006,
  CalculateButton = 1007,
  ExitButton = 1008,
  TemperatureEdit = 1009,
  EggPeriodEdit = 1010,
  ArrowLabel = 1011,
  CreditLine = 1012,
};

// The first and the last control the form creates.
inline constexpr ControlId FIRST_CONTROL = PurposeLabel;
inline constexpr ControlId LAST_CONTROL = CreditLine;
