#include "document/services/DocumentMessageBox.h"

#include "framework/app.h"
#include "framework/ui_seam.h"
#include "framework/wnd.h"

int DocumentMessageBox(const char* text, const char* title, UINT type) {
  // Owned by the main window when there is one, so the box is modal to the program.
  CWnd* mainWnd = AfxGetMainWnd();
  HWND owner = mainWnd ? mainWnd->GetSafeHwnd() : ::GetActiveWindow();
  return AfxGetUiSeam()->MessageBox(owner, text, title, type);
}
