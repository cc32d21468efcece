// The main window and its form, created in this process on the real window
// system, checked against what the calculator must show, then driven through
// its controls and closed.
#include <gtest/gtest.h>
#include <windows.h>
// The input method's declarations need windows.h first.
#include <imm.h>

#include <string>
#include <vector>

#include "home_page.h"
#include "ui/app.h"
#include "ui/main_window.h"

namespace {

// Code page 932 bytes, written out so that the compiler's conversion of the
// UTF-8 sources is checked too.
const char TITLE_BYTES[] =
    "\x83\x5c\x83\x8f\x83\x8a\x83\x69\x91\xae\x82\xcc\x97\x91\x8a\xfa\x8a\xd4\x90\x84\x92\xe8"
    "\x93\x64\x91\xec\x81\x69Ver.1\x81\x6a";
const char CALCULATE_BYTES[] = "\x8c\x76\x81\x40\x81\x40\x8e\x5a";
const char ARROW_BYTES[] = "\x81\xa8";
const char FONT_FACE_BYTES[] = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

constexpr DWORD MAIN_WINDOW_STYLE = 0x10CE0000;
constexpr int MAIN_WINDOW_WIDTH = 505;
constexpr int MAIN_WINDOW_HEIGHT = 395;
constexpr int ICON_ID = 101;
constexpr int ICON_SIZE = 32;
constexpr DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE;

constexpr int CALCULATE_BUTTON = 1007;
constexpr int EXIT_BUTTON = 1008;
constexpr int TEMPERATURE_EDIT = 1009;
constexpr int EGG_PERIOD_EDIT = 1010;
constexpr int ARROW_LABEL = 1011;
constexpr int CREDIT_LINE = 1012;

// The form as the user must see it, in creation order. Geometry is in client
// pixels; `style` is what comes on top of WS_CHILD | WS_VISIBLE.
struct ExpectedControl {
  int id;
  const char* className;
  const char* text;
  int x;
  int y;
  int width;
  int height;
  DWORD style;
  DWORD exStyle;
};

const ExpectedControl EXPECTED_CONTROLS[] = {
    {1000, "STATIC", "ソワリナ属の卵期間を管理水温から推定するプログラムです。", 21, 11, 488, 23, 0,
     0},
    {1001, "STATIC", "計算のアルゴリズムはCampbellらの方法（1974）に従っています。", 21, 39, 472,
     23, 0, 0},
    {1002, "STATIC", "使用に際しては、以下の事に気を付けてください。", 21, 76, 430, 23, 0, 0},
    {1003, "STATIC", "①水温約5℃以下では卵が発育しません。", 21, 109, 430, 23, 0, 0},
    {1004, "STATIC", "②生存率に関しては考慮していません。", 21, 136, 430, 23, 0, 0},
    {1005, "BUTTON", "水温（℃）", 59, 184, 165, 79, BS_GROUPBOX, 0},
    {1006, "BUTTON", "推定卵期間（日）", 256, 184, 165, 79, BS_GROUPBOX, 0},
    {1007, "BUTTON", "計　　算", 78, 278, 129, 40, BS_PUSHBUTTON, 0},
    {1008, "BUTTON", "終　　了", 276, 278, 129, 40, BS_PUSHBUTTON, 0},
    {1009, "EDIT", "", 102, 214, 87, 26, 0, WS_EX_CLIENTEDGE},
    {1010, "EDIT", "", 297, 214, 87, 26, ES_READONLY,
     WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
    {1011, "STATIC", "→", 224, 217, 31, 17, SS_CENTER, 0},
    {1012, "EDIT", "卵期間推定電卓のページ（" EGGPERIOD_HOME_PAGE "）", 71, 340, 414, 24,
     ES_READONLY | ES_RIGHT, 0},
};

class FormTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    CreateSharedObjects();
    ASSERT_TRUE(RegisterMainWindowClass(instance));
    ASSERT_NE(CreateMainWindow(instance), nullptr);
  }

  static std::string TextOf(HWND window) {
    char text[256] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }

  static std::string ControlText(int id) {
    return TextOf(GetDlgItem(MainWindow, id));
  }

  static std::string PressCalculate(const std::string& temperature) {
    SetWindowTextA(GetDlgItem(MainWindow, TEMPERATURE_EDIT), temperature.c_str());
    SendMessageA(GetDlgItem(MainWindow, CALCULATE_BUTTON), BM_CLICK, 0, 0);
    return ControlText(EGG_PERIOD_EDIT);
  }
};

TEST_F(FormTest, RegistersTheClassWithItsIconCursorAndBackground) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  ASSERT_TRUE(GetClassInfoExA(instance, "NORMAL0", &windowClass));
  EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  EXPECT_EQ(windowClass.lpfnWndProc, MainWindowProc);
  EXPECT_EQ(windowClass.cbClsExtra, 0);
  EXPECT_EQ(windowClass.cbWndExtra, 0);
  EXPECT_EQ(windowClass.hInstance, instance);
  EXPECT_NE(windowClass.hIcon, nullptr);
  EXPECT_EQ(windowClass.hIcon, LoadIconA(instance, MAKEINTRESOURCEA(ICON_ID)));
  EXPECT_EQ(windowClass.hIconSm, windowClass.hIcon);
  EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(windowClass.hbrBackground, FaceBrush);
  EXPECT_EQ(windowClass.lpszMenuName, nullptr);

  ICONINFO icon = {};
  ASSERT_TRUE(GetIconInfo(windowClass.hIcon, &icon));
  BITMAP mask = {};
  GetObjectA(icon.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, ICON_SIZE);
  DeleteObject(icon.hbmMask);
  DeleteObject(icon.hbmColor);
}

TEST_F(FormTest, OpensTheWindowWithItsTitleStyleSizeAndFont) {
  char className[32] = {};
  GetClassNameA(MainWindow, className, sizeof className);
  EXPECT_STREQ(className, "NORMAL0");
  EXPECT_EQ(TextOf(MainWindow), TITLE_BYTES);
  EXPECT_EQ(GetAncestor(MainWindow, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(MainWindow, GW_OWNER), nullptr);
  auto style = static_cast<DWORD>(GetWindowLongA(MainWindow, GWL_STYLE));
  // The system adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(style & ~static_cast<DWORD>(WS_CLIPSIBLINGS), MAIN_WINDOW_STYLE);
  EXPECT_EQ(GetWindowLongA(MainWindow, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(GetMenu(MainWindow), nullptr);
  RECT outer = {};
  GetWindowRect(MainWindow, &outer);
  EXPECT_EQ(outer.right - outer.left, MAIN_WINDOW_WIDTH);
  EXPECT_EQ(outer.bottom - outer.top, MAIN_WINDOW_HEIGHT);

  LOGFONTA font = {};
  ASSERT_EQ(GetObjectA(UiFont, sizeof font, &font), static_cast<int>(sizeof font));
  EXPECT_EQ(font.lfHeight, -16);
  EXPECT_EQ(font.lfWidth, 0);
  EXPECT_EQ(font.lfEscapement, 0);
  EXPECT_EQ(font.lfOrientation, 0);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  EXPECT_FALSE(font.lfItalic);
  EXPECT_FALSE(font.lfUnderline);
  EXPECT_FALSE(font.lfStrikeOut);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(font.lfOutPrecision, OUT_STROKE_PRECIS);
  EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);
  EXPECT_EQ(font.lfQuality, DRAFT_QUALITY);
  EXPECT_EQ(font.lfPitchAndFamily, 0x32);
  EXPECT_STREQ(font.lfFaceName, FONT_FACE_BYTES);

  LOGBRUSH brush = {};
  GetObjectA(FaceBrush, sizeof brush, &brush);
  EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(brush.lbColor, GetSysColor(COLOR_BTNFACE));
}

TEST_F(FormTest, CreatesThirteenControlsInOrderWithTheirAttributes) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(MainWindow, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  ASSERT_EQ(children.size(), std::size(EXPECTED_CONTROLS));
  for (size_t i = 0; i < children.size(); ++i) {
    const ExpectedControl& expected = EXPECTED_CONTROLS[i];
    HWND control = children[i];
    SCOPED_TRACE(expected.id);
    EXPECT_EQ(GetDlgCtrlID(control), expected.id);
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    EXPECT_EQ(lstrcmpiA(className, expected.className), 0) << className;
    EXPECT_EQ(TextOf(control), expected.text);
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, expected.x);
    EXPECT_EQ(rect.top, expected.y);
    EXPECT_EQ(rect.right - rect.left, expected.width);
    EXPECT_EQ(rect.bottom - rect.top, expected.height);
    auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    EXPECT_EQ(style & ~static_cast<DWORD>(WS_CLIPSIBLINGS), CHILD_STYLE | expected.style);
    // The system adds WS_EX_WINDOWEDGE to a control with WS_EX_DLGMODALFRAME.
    auto exStyle = static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), expected.exStyle);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), UiFont);
  }
  EXPECT_EQ(ControlText(CALCULATE_BUTTON), CALCULATE_BYTES);
  EXPECT_EQ(ControlText(ARROW_LABEL), ARROW_BYTES);
}

TEST_F(FormTest, CalculateShowsTheEstimateForTheTypedTemperature) {
  const std::string zeroDegrees = "-22.3713645935059";
  // Only the first 99 characters are read: the "20" at the end is cut off.
  const std::string longText = std::string(99, '0') + "20";
  struct Case {
    std::string temperature;
    std::string period;
  } const cases[] = {
      {"20", "8.38222980499268"},
      {"20", "8.38222980499268"},
      {"", zeroDegrees},
      {"5.5", "2500"},
      {"-3", "-14.4300146102905"},
      {"&h14", "8.38222980499268"},
      {"abc", zeroDegrees},
      {longText, zeroDegrees},
      {longText.substr(2), "8.38222980499268"},
      {"5.45121951219512", "inf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PressCalculate(c.temperature), c.period) << c.temperature;
    EXPECT_EQ(ControlText(TEMPERATURE_EDIT), c.temperature) << "the typed text stays";
  }
}

// Keys typed into the temperature field must reach it half-width whatever the
// IME's mode, so that field alone has no input context.
TEST_F(FormTest, TemperatureFieldAloneHasNoInputMethod) {
  struct Case {
    const char* what;
    HWND window;
    bool hasInputContext;
  } const cases[] = {
      {"temperature field", GetDlgItem(MainWindow, TEMPERATURE_EDIT), false},
      {"result field", GetDlgItem(MainWindow, EGG_PERIOD_EDIT), true},
      {"main window", MainWindow, true},
  };
  for (const auto& c : cases) {
    HIMC context = ImmGetContext(c.window);
    EXPECT_EQ(context != nullptr, c.hasInputContext) << c.what;
    ImmReleaseContext(c.window, context);
  }
}

TEST_F(FormTest, OtherCommandsDoNothing) {
  const std::string before = PressCalculate("20");
  SetWindowTextA(GetDlgItem(MainWindow, TEMPERATURE_EDIT), "30");
  const WPARAM commands[] = {
      MAKEWPARAM(CALCULATE_BUTTON, BN_DOUBLECLICKED),
      MAKEWPARAM(CALCULATE_BUTTON, BN_SETFOCUS),
      MAKEWPARAM(EXIT_BUTTON, BN_DOUBLECLICKED),
      MAKEWPARAM(TEMPERATURE_EDIT, EN_CHANGE),
      MAKEWPARAM(TEMPERATURE_EDIT, 0),
      MAKEWPARAM(EGG_PERIOD_EDIT, EN_SETFOCUS),
      MAKEWPARAM(1000, 0),
      MAKEWPARAM(CREDIT_LINE, 0),
      MAKEWPARAM(9999, 0),
  };
  for (WPARAM command : commands) {
    EXPECT_EQ(SendMessageA(MainWindow, WM_COMMAND, command, 0), 0);
    EXPECT_EQ(ControlText(EGG_PERIOD_EDIT), before) << std::hex << command;
  }
  EXPECT_TRUE(IsWindow(MainWindow));
}

TEST_F(FormTest, ResultFieldsAreReadOnly) {
  for (int id : {EGG_PERIOD_EDIT, CREDIT_LINE}) {
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(MainWindow, id), GWL_STYLE) & ES_READONLY) << id;
  }
}

// Runs last: closing destroys the window for good.
TEST_F(FormTest, ClosingReleasesFontAndBrushAndQuitsWithCodeZero) {
  HWND window = MainWindow;
  EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(GetObjectType(UiFont), 0u);
  EXPECT_EQ(GetObjectType(FaceBrush), 0u);
  MSG message = {};
  bool quit = false;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      EXPECT_EQ(message.wParam, 0u);
    }
  }
  EXPECT_TRUE(quit);
}

}  // namespace
