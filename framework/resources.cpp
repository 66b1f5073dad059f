#include "framework/resources.h"

namespace {
HINSTANCE g_resourceHandle = nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return ::GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() {
  return g_resourceHandle ? g_resourceHandle : AfxGetInstanceHandle();
}

HINSTANCE AfxFindResourceHandle(LPCSTR, LPCSTR) { return AfxGetResourceHandle(); }

void AfxSetResourceHandle(HINSTANCE hInstResource) { g_resourceHandle = hInstResource; }
