// The Windows entry point: the program takes no command line.
#include "ui/app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppMain();
}
