#pragma once
// Objects that receive commands through a message map, and the command-UI object
// that update handlers use to enable, check and label menu items and buttons.
#include <windows.h>

#include "framework/exceptions.h"
#include "framework/message_map.h"
#include "framework/runtime.h"

class CCmdTarget;
class CMenu;
class CWnd;

// Filled by a lookup that only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  const AFX_MSGMAP_ENTRY* pEntry;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;

  // Looks up a command (nCode CN_COMMAND, CN_UPDATE_COMMAND_UI or a control
  // notification; for WM_NOTIFY the high word is WM_NOTIFY) and runs it. With
  // pHandlerInfo only reports whether a handler exists.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // Waits with the wait cursor, for long operations.
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  // Finds the first entry for the message in this object's maps, most derived
  // first. Registered messages match through the stored message number.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
  // Calls an entry's handler inside the exception barrier.
  BOOL CallEntry(const AFX_MSGMAP_ENTRY* pEntry, AfxMsgCall& call);

 private:
  HCURSOR m_hcurWaitSaved = nullptr;
};

// The state of one user-interface item (menu item, toolbar button, status pane)
// during an update pass.
class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks the target's update handler; without one and with bDisableIfNoHandler,
  // the item is enabled only if some command handler exists. Returns whether an
  // update handler ran.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;
  CMenu* m_pSubMenu = nullptr;
  CWnd* m_pOther = nullptr;
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
};

