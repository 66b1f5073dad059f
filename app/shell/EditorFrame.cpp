#include "app/shell/EditorFrame.h"

namespace {
IEditorFrame* g_frame = nullptr;
}

void SetEditorFrame(IEditorFrame* frame) {
  g_frame = frame;
  SetDocumentHost(frame);
}

IEditorFrame* GetEditorFrame() { return g_frame; }
