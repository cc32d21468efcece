#include "ui/form.h"

#include <imm.h>

#include <string>

#include "core/estimate.h"
#include "resources/form_texts.h"
#include "ui/shared_state.h"

namespace {

constexpr DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE;
constexpr DWORD NO_STYLE = 0;
constexpr DWORD RESULT_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
constexpr BOOL NO_REDRAW = FALSE;

}  // namespace

const ControlRow FORM_CONTROLS[FORM_CONTROL_COUNT] = {
    // id, class, text, x, y, width, height, style, extended style
    {PurposeLabel, "STATIC", PURPOSE_TEXT, 21, 11, 488, 23, NO_STYLE, 0},
    {MethodLabel, "STATIC", METHOD_TEXT, 21, 39, 472, 23, NO_STYLE, 0},
    {CautionLabel, "STATIC", CAUTION_TEXT, 21, 76, 430, 23, NO_STYLE, 0},
    {LowTemperatureNote, "STATIC", LOW_TEMPERATURE_TEXT, 21, 109, 430, 23, NO_STYLE, 0},
    {SurvivalNote, "STATIC", SURVIVAL_TEXT, 21, 136, 430, 23, NO_STYLE, 0},
    {TemperatureGroup, "BUTTON", TEMPERATURE_GROUP_TEXT, 59, 184, 165, 79, BS_GROUPBOX, 0},
    {EggPeriodGroup, "BUTTON", EGG_PERIOD_GROUP_TEXT, 256, 184, 165, 79, BS_GROUPBOX, 0},
    {CalculateButton, "BUTTON", CALCULATE_TEXT, 78, 278, 129, 40, BS_PUSHBUTTON, 0},
    {ExitButton, "BUTTON", EXIT_TEXT, 276, 278, 129, 40, BS_PUSHBUTTON, 0},
    {TemperatureEdit, "EDIT", "", 102, 214, 87, 26, NO_STYLE, WS_EX_CLIENTEDGE},
    {EggPeriodEdit, "EDIT", "", 297, 214, 87, 26, ES_READONLY, RESULT_EX_STYLE},
    {ArrowLabel, "STATIC", ARROW_TEXT, 224, 217, 31, 17, SS_CENTER, 0},
    {CreditLine, "EDIT", CREDIT_TEXT, 71, 340, 414, 24, ES_READONLY | ES_RIGHT, 0},
};

namespace {

// Carries the temperature field's text through the calculation into the
// result field.
void OnCalculateClicked() {
  char temperatureText[INPUT_TEXT_LIMIT];
  int length =
      GetWindowTextA(GetDlgItem(MainWindow, TemperatureEdit), temperatureText, INPUT_TEXT_LIMIT);
  std::string periodText = OnCalculate(std::string_view(temperatureText, length));
  SetWindowTextA(GetDlgItem(MainWindow, EggPeriodEdit), periodText.c_str());
}

// Readies the temperature field for what people type and paste into it.
void PrepareTemperatureEdit(HWND control) {
  // Without an input method, keys typed there always give half-width
  // characters, whatever mode the IME is in: a Japanese IME in its usual mode
  // would turn "20" into full-width digits, which read as 0.
  ImmAssociateContext(control, nullptr);
  // The calculation reads no more than this. The field does not scroll, and
  // trims a longer paste to its width one character at a time, which can
  // freeze the window for minutes.
  SendMessageA(control, EM_LIMITTEXT, READ_TEXT_LENGTH, 0);
}

// Ends the program at once, without destroying the window first: the system
// takes the window, the font and the brush away with the process, and the
// calculator keeps nothing that would need saving.
void OnExitClicked() {
  ExitProcess(NORMAL_EXIT_CODE);
}

}  // namespace

void BuildForm(HWND window) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const ControlRow& row : FORM_CONTROLS) {
    CreateWindowExA(row.exStyle, row.className, row.text, CHILD_STYLE | row.style, row.x, row.y,
                    row.width, row.height, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    HWND control = GetDlgItem(window, row.id);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont), NO_REDRAW);
    if (row.id == TemperatureEdit) {
      PrepareTemperatureEdit(control);
    }
  }
}

void OnFormCommand(int id, int notification) {
  if (notification != BN_CLICKED) {
    return;
  }
  switch (id) {
    case CalculateButton:
      OnCalculateClicked();
      break;
    case ExitButton:
      OnExitClicked();
      break;
    default:
      break;
  }
}
