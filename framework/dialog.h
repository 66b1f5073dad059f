#pragma once
// CDialog: dialogs from resource templates, modeless or modal. The modal loop is
// the layer's own, so messages still pass through PreTranslateMessage, and the UI
// seam decides first whether the dialog is shown at all.
#include <functional>

#include "framework/wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless.
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
  // Modal: returns the value given to EndDialog, or -1 if the dialog could not
  // be created.
  virtual INT_PTR DoModal();
  void EndDialog(int nResult);
  BOOL IsModal() const { return m_bInModalLoop; }

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(SafeHwnd(pWndCtrl)), 1); }
  void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
  DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }
  void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

  UINT m_nIDHelp = 0;
  LPCSTR m_lpszTemplateName = nullptr;
  CWnd* m_pParentWnd = nullptr;

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

 protected:
  BOOL CreateFromTemplate(LPCSTR lpszTemplateName, CWnd* pParentWnd);
  INT_PTR RunModalLoop();
  int m_nModalResult = -1;
  BOOL m_bInModalLoop = FALSE;
  BOOL m_bContinueModal = FALSE;
  std::function<void(CWnd*)> m_modalAction;
  DECLARE_MESSAGE_MAP()
};
