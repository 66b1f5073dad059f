#include "framework/cmd_target.h"

#include "framework/exceptions.h"
#include "framework/menu.h"
#include "framework/ui_seam.h"
#include "framework/wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {
AFX_EXCEPTION_REPORTER g_reporter = nullptr;

bool isCommandMessage(UINT nMessage) {
  return nMessage == WM_COMMAND || nMessage == WM_NOTIFY ||
         nMessage == WM_REFLECT_BASE + WM_COMMAND || nMessage == WM_REFLECT_BASE + WM_NOTIFY;
}
}  // namespace

void AfxSetExceptionReporter(AFX_EXCEPTION_REPORTER pfn) { g_reporter = pfn; }

void AfxReportHandlerException(const char* what) {
  if (g_reporter) {
    g_reporter(what);
    return;
  }
  ::OutputDebugStringA(what);
  AfxGetUiSeam()->ReportError(what);
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->pRegistered) {
        if (nMessage >= 0xC000 && nMessage <= 0xFFFF && *e->pRegistered == nMessage) return e;
        continue;
      }
      if (e->nMessage != nMessage) continue;
      if (isCommandMessage(nMessage)) {
        if (e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) return e;
      } else {
        return e;
      }
    }
  }
  return nullptr;
}

BOOL CCmdTarget::CallEntry(const AFX_MSGMAP_ENTRY* pEntry, AfxMsgCall& call) {
  BOOL bHandled = TRUE;  // a handler that failed still took its message
  AfxCallReportingExceptions([&] { bHandled = pEntry->pfn(this, call); }, "a message handler");
  return bHandled;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT message = WM_COMMAND;
  UINT code = static_cast<UINT>(nCode);
  if (code != CN_UPDATE_COMMAND_UI && HIWORD(code) != 0) {
    message = HIWORD(code);
    code = LOWORD(code);
  }
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, code, nID);
  if (!e) return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pEntry = e;
    return TRUE;
  }
  AfxMsgCall call{message, 0, 0, 0, nID, pExtra};
  BOOL bResult = CallEntry(e, call);
  // An update handler may pass the item on to the next target in the route.
  if (code == CN_UPDATE_COMMAND_UI && pExtra && static_cast<CCmdUI*>(pExtra)->m_bContinueRouting)
    return FALSE;
  return bResult;
}

void CCmdTarget::BeginWaitCursor() {
  m_hcurWaitSaved = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor() {
  ::SetCursor(m_hcurWaitSaved ? m_hcurWaitSaved : ::LoadCursor(nullptr, IDC_ARROW));
  m_hcurWaitSaved = nullptr;
}

void CCmdTarget::RestoreWaitCursor() { ::SetCursor(::LoadCursor(nullptr, IDC_WAIT)); }

// --- CCmdUI ----------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu) {
    if (!m_pSubMenu)
      m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther) {
    // Moving the focus away from a control that becomes disabled keeps the
    // keyboard usable.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND parent = ::GetParent(m_pOther->m_hWnd);
      if (parent) ::SendMessageA(parent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu) {
    if (!m_pSubMenu)
      m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther) {
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
      m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu && !m_pSubMenu) {
    if (bOn)
      ::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
    else
      m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
    return;
  }
  SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText) {
  if (!lpszText) lpszText = "";
  if (m_pMenu) {
    if (m_pSubMenu) return;
    UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    state &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
  } else if (m_pOther) {
    m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators, popups
  m_bEnableChanged = FALSE;
  m_bContinueRouting = FALSE;
  BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (bDisableIfNoHandler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(bHandler);
  }
  return bResult;
}
