#include "document/DocumentMessageBox.h"

#include "framework/ui_seam.h"

int DocumentMessageBox(const char* text, const char* title, UINT type) {
  return AfxGetUiSeam()->MessageBox(::GetActiveWindow(), text, title, type);
}
