#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/resources.h"
#include "framework/ui_seam.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {
// The dialog procedure under our subclassing: everything is handled by the
// object, so the dialog manager only does its defaults.
INT_PTR CALLBACK afxDlgProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Posted to a modal dialog so a scripted action runs inside its modal loop.
const UINT kRunModalAction = ::RegisterWindowMessageA("SposalboFrameworkRunModalAction");
}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow();
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDHelp = nIDTemplate;
  m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
  return Create(m_lpszTemplateName, pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  return CreateFromTemplate(lpszTemplateName, m_pParentWnd);
}

BOOL CDialog::CreateFromTemplate(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  if (!hResource) return FALSE;
  HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
  if (!hTemplate) return FALSE;
  return CreateIndirect(static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd) {
  if (!lpDialogTemplate || m_hWnd) return FALSE;
  HWND hWndParent = SafeHwnd(pParentWnd);
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpDialogTemplate, hWndParent,
                                           afxDlgProc, 0);
  AfxUnhookWindowCreate();
  if (!hWnd) {
    if (m_hWnd) Detach();
    return FALSE;
  }
  return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  Default();
  CRect placed;
  GetWindowRect(&placed);
  const LRESULT result = OnInitDialog();
  // A dialog of its own window that neither its template (DS_CENTER) nor its
  // opening placed is centred on its owner, not left at the owner's corner.
  CRect now;
  GetWindowRect(&now);
  if (!(GetStyle() & (WS_CHILD | DS_CENTER)) && now.TopLeft() == placed.TopLeft()) CenterWindow();
  return result;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the exchange showed its message and kept the dialog
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  if (m_bInModalLoop) {
    m_bContinueModal = FALSE;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
  } else if (m_hWnd) {
    ::EndDialog(m_hWnd, nResult);
  }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd)
    return ::IsDialogMessageW(m_hWnd, pMsg);  // the loops take messages in their wide form
  return FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunModalAction) {
    std::function<void(CWnd*)> action = std::move(m_modalAction);
    m_modalAction = nullptr;
    if (action) action(this);
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CDialog::DoModal() {
  INT_PTR nAnswer = IDCANCEL;
  std::function<void(CWnd*)> action;
  if (AfxGetUiSeam()->BeforeModal(this, m_nIDHelp, nAnswer, action)) return nAnswer;

  HWND hWndTop = nullptr;
  CWnd* pParent = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop);
  HWND hWndParent = SafeHwnd(pParent);
  // The owner is disabled while the dialog runs; this is also what keeps the
  // frame's accelerators away from the dialog.
  BOOL bEnableParent = FALSE;
  if (hWndParent && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    bEnableParent = TRUE;
  }
  m_nModalResult = -1;
  CWnd* pSavedParent = m_pParentWnd;
  if (!CreateFromTemplate(m_lpszTemplateName, pParent)) {
    if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
    m_pParentWnd = pSavedParent;
    return -1;
  }
  m_modalAction = std::move(action);
  if (m_modalAction) ::PostMessageA(m_hWnd, kRunModalAction, 0, 0);
  if (m_nModalResult == -1 || m_bContinueModal) RunModalLoop();
  if (m_hWnd) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
  if (hWndParent && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
  DestroyWindow();
  m_pParentWnd = pSavedParent;
  m_modalAction = nullptr;
  return m_nModalResult;
}

INT_PTR CDialog::RunModalLoop() {
  m_bInModalLoop = TRUE;
  m_bContinueModal = TRUE;
  if (!(GetStyle() & WS_VISIBLE)) ShowWindow(SW_SHOWNORMAL);
  MSG msg;
  while (m_bContinueModal && m_hWnd) {
    if (!AfxGetMessage(&msg)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      break;
    }
    CWinThread* pThread = AfxGetThread();
    BOOL bTranslated = pThread ? pThread->PreTranslateMessage(&msg)
                               : CWnd::WalkPreTranslateTree(m_hWnd, &msg);
    if (!bTranslated) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  m_bInModalLoop = FALSE;
  m_bContinueModal = FALSE;
  return m_nModalResult;
}
