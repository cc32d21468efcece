// The main window and its form, created in this process on the real window
// system, then driven through its controls and closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "ui/app.h"
#include "ui/form.h"
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
constexpr DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE;

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
    SetWindowTextA(GetDlgItem(MainWindow, TemperatureEdit), temperature.c_str());
    SendMessageA(GetDlgItem(MainWindow, CalculateButton), BM_CLICK, 0, 0);
    return ControlText(EggPeriodEdit);
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
  EXPECT_EQ(windowClass.hIcon, LoadIconA(instance, MAKEINTRESOURCEA(APP_ICON_ID)));
  EXPECT_NE(windowClass.hIcon, nullptr);
  EXPECT_NE(windowClass.hIconSm, nullptr);
  EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(windowClass.hbrBackground, FaceBrush);
  EXPECT_EQ(windowClass.lpszMenuName, nullptr);

  ICONINFO icon = {};
  ASSERT_TRUE(GetIconInfo(windowClass.hIcon, &icon));
  BITMAP mask = {};
  GetObjectA(icon.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  DeleteObject(icon.hbmMask);
  DeleteObject(icon.hbmColor);
}

TEST_F(FormTest, OpensTheWindowWithItsTitleStyleSizeAndFont) {
  EXPECT_EQ(TextOf(MainWindow), TITLE_BYTES);
  auto style = static_cast<DWORD>(GetWindowLongA(MainWindow, GWL_STYLE));
  // The system adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(style & ~static_cast<DWORD>(WS_CLIPSIBLINGS), MAIN_WINDOW_STYLE);
  EXPECT_EQ(GetWindowLongA(MainWindow, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(GetMenu(MainWindow), nullptr);
  RECT outer = {};
  GetWindowRect(MainWindow, &outer);
  EXPECT_EQ(outer.right - outer.left, 505);
  EXPECT_EQ(outer.bottom - outer.top, 395);

  LOGFONTA font = {};
  ASSERT_EQ(GetObjectA(UiFont, sizeof font, &font), static_cast<int>(sizeof font));
  EXPECT_EQ(font.lfHeight, -16);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
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
  ASSERT_EQ(children.size(), static_cast<size_t>(FORM_CONTROL_COUNT));
  for (int i = 0; i < FORM_CONTROL_COUNT; ++i) {
    const ControlRow& row = FORM_CONTROLS[i];
    HWND control = children[i];
    SCOPED_TRACE(row.id);
    EXPECT_EQ(GetDlgCtrlID(control), row.id);
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    EXPECT_EQ(lstrcmpiA(className, row.className), 0) << className;
    EXPECT_EQ(TextOf(control), row.text);
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, row.x);
    EXPECT_EQ(rect.top, row.y);
    EXPECT_EQ(rect.right - rect.left, row.width);
    EXPECT_EQ(rect.bottom - rect.top, row.height);
    auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    EXPECT_EQ(style & ~static_cast<DWORD>(WS_CLIPSIBLINGS), CHILD_STYLE | row.style);
    // The system adds WS_EX_WINDOWEDGE to a control with WS_EX_DLGMODALFRAME.
    auto exStyle = static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), row.exStyle);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), UiFont);
  }
  EXPECT_EQ(ControlText(CalculateButton), CALCULATE_BYTES);
  EXPECT_EQ(ControlText(ArrowLabel), ARROW_BYTES);
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
    EXPECT_EQ(ControlText(TemperatureEdit), c.temperature) << "the typed text stays";
  }
}

TEST_F(FormTest, OtherCommandsDoNothing) {
  const std::string before = PressCalculate("20");
  SetWindowTextA(GetDlgItem(MainWindow, TemperatureEdit), "30");
  const WPARAM commands[] = {
      MAKEWPARAM(CalculateButton, BN_DOUBLECLICKED),
      MAKEWPARAM(CalculateButton, BN_SETFOCUS),
      MAKEWPARAM(ExitButton, BN_DOUBLECLICKED),
      MAKEWPARAM(TemperatureEdit, EN_CHANGE),
      MAKEWPARAM(TemperatureEdit, 0),
      MAKEWPARAM(EggPeriodEdit, EN_SETFOCUS),
      MAKEWPARAM(PurposeLabel, 0),
      MAKEWPARAM(CreditLine, 0),
      MAKEWPARAM(9999, 0),
  };
  for (WPARAM command : commands) {
    EXPECT_EQ(SendMessageA(MainWindow, WM_COMMAND, command, 0), 0);
    EXPECT_EQ(ControlText(EggPeriodEdit), before) << std::hex << command;
  }
  EXPECT_TRUE(IsWindow(MainWindow));
}

TEST_F(FormTest, ResultFieldsAreReadOnly) {
  for (int id : {EggPeriodEdit, CreditLine}) {
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(MainWindow, id), GWL_STYLE) & ES_READONLY) << id;
  }
}

// Runs last: closing destroys the window for good.
TEST_F(FormTest, ZzClosingReleasesFontAndBrushAndQuitsWithCodeZero) {
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
