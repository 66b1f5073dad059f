#include "document/DocumentMessageBox.h"

namespace {
DocumentMessageBoxHook g_hook = nullptr;
}

int DocumentMessageBox(const char* text, const char* title, UINT type) {
  if (g_hook) return g_hook(text, title, type);
  return ::MessageBoxA(::GetActiveWindow(), text, title, type);
}

DocumentMessageBoxHook SetDocumentMessageBoxHook(DocumentMessageBoxHook hook) {
  DocumentMessageBoxHook previous = g_hook;
  g_hook = hook;
  return previous;
}
