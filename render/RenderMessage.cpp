#include "render/RenderMessage.h"

namespace {
int RealMessageBox(HWND owner, const char* text, const char* title, UINT type)
{
    return MessageBoxA(owner, text, title, type);
}

RenderMessageBoxFn g_messageBox = RealMessageBox;
}  // namespace

RenderMessageBoxFn SetRenderMessageBox(RenderMessageBoxFn fn)
{
    RenderMessageBoxFn previous = g_messageBox;
    g_messageBox = fn ? fn : RealMessageBox;
    return previous;
}

int ShowRenderMessage(HWND owner, const char* text, const char* title, UINT type)
{
    return g_messageBox(owner, text, title, type);
}
