#include "app/shell/SposalboApp.h"

// The one application object of the process.
CSposalboApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  return AfxWinMain(instance, previous, commandLine, show);
}
