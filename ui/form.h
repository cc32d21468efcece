// The calculator form: the 13 controls of the main window and its commands.
#pragma once

#include <windows.h>

#include "ui/window_ids.h"

// One control of the form: geometry in client pixels; `style` is what comes on
// top of WS_CHILD | WS_VISIBLE.
struct ControlRow {
  ControlId id;
  const char* className;
  const char* text;
  int x;
  int y;
  int width;
  int height;
  DWORD style;
  DWORD exStyle;
};

inline constexpr int FORM_CONTROL_COUNT = 13;
extern const ControlRow FORM_CONTROLS[FORM_CONTROL_COUNT];

// Creates every control of FORM_CONTROLS in order, each with UiFont.
void BuildForm(HWND window);
// Handles a WM_COMMAND from the form's controls.
void OnFormCommand(int id, int notification);
