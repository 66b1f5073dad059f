#include "document/DocumentHost.h"

#include <windows.h>

namespace {
IDocumentHost* g_host = nullptr;
}

void SetDocumentHost(IDocumentHost* host)
{
    g_host = host;
}

IDocumentHost* GetDocumentHost()
{
    return g_host;
}

bool HostIsKeyDown(int virtualKey)
{
    return g_host && g_host->IsKeyDown(virtualKey);
}

bool HostIsAltDown()
{
    return HostIsKeyDown(VK_MENU);
}

std::string HostResourcePath(int kind, bool lowRes, const std::string& name, bool personal)
{
    return g_host ? g_host->GetResourceFolder(kind, lowRes, name, personal) : std::string();
}
