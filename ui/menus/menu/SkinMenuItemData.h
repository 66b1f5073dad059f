#pragma once
// What an owner-drawn item of a CSkinMenu carries: its text, flags, command and
// icon. The menu keeps one per position; the system hands the pointer back as
// the item data of WM_MEASUREITEM and WM_DRAWITEM.
#include "framework/framework.h"

class CSkinMenuIcons;

class CSkinMenuItemData : public CObject {
  DECLARE_DYNAMIC(CSkinMenuItemData)
 public:
  CSkinMenuItemData() = default;
  CSkinMenuItemData(LPCSTR text, UINT flags, UINT_PTR id) : m_szMenuText(text), m_nFlags(flags), m_nID(id) {}
  ~CSkinMenuItemData() override;
  CSkinMenuItemData(const CSkinMenuItemData&) = delete;
  CSkinMenuItemData& operator=(const CSkinMenuItemData&) = delete;

  // The item text with its accelerator text after one tab. hAccel -1 stands for
  // the main frame's default table, 0 for none (the part after a tab is cut).
  virtual void GetDisplayText(CString& text, HACCEL hAccel) const;
  virtual void SetText(LPCSTR text) { m_szMenuText = text; }

  // Gives the item an icon of a shared list (counted), or none.
  void SetIcons(CSkinMenuIcons* icons, int index);

  CString m_szMenuText;
  int m_nTitleFlags = 0;
  UINT m_nFlags = 0;
  UINT_PTR m_nID = 0;
  int m_nSyncFlag = 0;
  CSkinMenuIcons* m_pMenuIcon = nullptr;
  int m_nMenuIconOffset = -1;
  int m_nUser = 0;
};

// The accelerator text of a command from the entries of a table: "Ctrl+Z",
// several joined by ", ". The key name comes from the given function.
typedef CString (*AccelKeyNameFn)(const ACCEL& entry);
CString FormatAcceleratorText(const ACCEL* entries, int count, UINT id, AccelKeyNameFn keyName);
CString AcceleratorKeyName(const ACCEL& entry);
// The accelerator text of a command in a table (-1: the main frame's default).
CString AcceleratorTextFor(HACCEL hAccel, UINT id);
