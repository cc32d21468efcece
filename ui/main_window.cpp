#include "ui/main_window.h"

#include "ui/form.h"

namespace {

void OnCreate(HWND window) {
  MainWindow = window;
  BuildForm(window);
}

void OnCommand(WPARAM wParam) {
  OnFormCommand(LOWORD(wParam), HIWORD(wParam));
}

void OnClose(HWND window) {
  DestroyWindow(window);
}

void OnDestroy() {
  DeleteObject(UiFont);
  DeleteObject(FaceBrush);
  PostQuitMessage(NORMAL_EXIT_CODE);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_COMMAND:
      OnCommand(wParam);
      return 0;
    case WM_CLOSE:
      OnClose(window);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
