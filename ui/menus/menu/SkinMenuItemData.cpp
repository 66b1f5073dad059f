#include "ui/menus/menu/SkinMenuItemData.h"

#include <vector>

#include "ui/menus/menu/SkinMenuIcons.h"

IMPLEMENT_DYNAMIC(CSkinMenuItemData, CObject)

CSkinMenuItemData::~CSkinMenuItemData() { SetIcons(nullptr, -1); }

void CSkinMenuItemData::SetIcons(CSkinMenuIcons* icons, int index) {
  if (icons) icons->AddRef();
  if (m_pMenuIcon) m_pMenuIcon->Release();
  m_pMenuIcon = icons;
  m_nMenuIconOffset = icons ? index : -1;
}

void CSkinMenuItemData::GetDisplayText(CString& text, HACCEL hAccel) const {
  text = m_szMenuText;
  if (m_nFlags & MF_POPUP) hAccel = nullptr;
  int tab = text.Find('\t');
  if (!hAccel) {
    if (tab >= 0) text = text.Left(tab);
    return;
  }
  if (tab >= 0) return;
  CString accel = AcceleratorTextFor(hAccel, static_cast<UINT>(m_nID));
  if (!accel.IsEmpty()) text += "\t" + accel;
}

CString AcceleratorKeyName(const ACCEL& entry) {
  if (!(entry.fVirt & FVIRTKEY)) return CString(static_cast<char>(entry.key));
  char name[65] = {};
  LONG scan = static_cast<LONG>(::MapVirtualKeyA(entry.key, 0)) << 16;
  // Keys of the extended block (arrows, Insert, Delete, Home, ...) need the
  // extended bit, or they are named as their numeric-pad twins.
  if ((entry.key >= VK_PRIOR && entry.key <= VK_HELP) || entry.key == VK_DIVIDE) scan |= 1 << 24;
  if (!::GetKeyNameTextA(scan, name, 64)) return CString();
  return CString(name);
}

CString FormatAcceleratorText(const ACCEL* entries, int count, UINT id, AccelKeyNameFn keyName) {
  CString text;
  for (int i = 0; i < count; ++i) {
    const ACCEL& e = entries[i];
    if (e.cmd != id) continue;
    if (!text.IsEmpty()) text += ", ";
    if (e.fVirt & FALT) text += "Alt+";
    if (e.fVirt & FCONTROL) text += "Ctrl+";
    if (e.fVirt & FSHIFT) text += "Shift+";
    text += keyName(e);
  }
  return text;
}

CString AcceleratorTextFor(HACCEL hAccel, UINT id) {
  if (hAccel == reinterpret_cast<HACCEL>(-1)) {
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    hAccel = frame ? frame->GetDefaultAccelerator() : nullptr;
  }
  if (!hAccel) return CString();
  int count = ::CopyAcceleratorTableA(hAccel, nullptr, 0);
  if (count <= 0) return CString();
  std::vector<ACCEL> entries(static_cast<size_t>(count));
  ::CopyAcceleratorTableA(hAccel, entries.data(), count);
  return FormatAcceleratorText(entries.data(), count, id, AcceleratorKeyName);
}
