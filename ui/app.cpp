#include "ui/app.h"

#include "resources/form_texts.h"
#include "resources/resource_ids.h"
#include "ui/main_window.h"
#include "ui/window_ids.h"

HWND MainWindow = nullptr;
HFONT UiFont = nullptr;
HBRUSH FaceBrush = nullptr;

namespace {

constexpr int UI_FONT_HEIGHT = -16;  // character height of 16 pixels
// Visible, captioned, resizable and minimisable, with a system menu but no
// maximise box.
constexpr DWORD MAIN_WINDOW_STYLE =
    WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr int MAIN_WINDOW_WIDTH = 505;
constexpr int MAIN_WINDOW_HEIGHT = 395;
constexpr int GET_MESSAGE_FAILED = -1;

}  // namespace

void CreateSharedObjects() {
  UiFont = CreateFontA(UI_FONT_HEIGHT, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                       FF_MODERN | VARIABLE_PITCH, UI_FONT_FACE);
  FaceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(APP_ICON_ID));
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = FaceBrush;
  windowClass.lpszClassName = MAIN_WINDOW_CLASS;
  return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  return CreateWindowExA(0, MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, MAIN_WINDOW_STYLE, CW_USEDEFAULT,
                         CW_USEDEFAULT, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, nullptr, nullptr,
                         instance, nullptr);
}

void RunMessageLoop() {
  MSG message;
  for (;;) {
    int result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0 || result == GET_MESSAGE_FAILED) {
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void AppMain() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  CreateSharedObjects();
  // Without a class or a window nobody could reach the program to end it:
  // end at once, and say so in the exit code.
  if (!RegisterMainWindowClass(instance) || CreateMainWindow(instance) == nullptr) {
    ExitProcess(STARTUP_FAILURE_EXIT_CODE);
  }
  RunMessageLoop();
  ExitProcess(NORMAL_EXIT_CODE);
}
