#pragma once
// CDatiSposalboDlg: the wedding-data page ("Dati sposalbo"), an HTML dialog
// whose page edits the album's wedding data through the script object. The
// page comes from the profile value "dataURL", by default the program
// folder's "html\data.html". Where no browser can show the page, a native
// form over the same script object stands in for it.
#include "app/dialogs/DatiStandIn.h"
#include "app/dialogs/IDispatchIEExt.h"
#include "framework/dhtml_dialog.h"

class CDatiSposalboDlg : public CDHtmlDialog, public IScriptDialogActions {
 public:
  explicit CDatiSposalboDlg(CWnd* pParent = nullptr);

  // Runs the page modally with the script object as its external object.
  INT_PTR DoModalWithDispatch(CIDispatchIEExt* pScript);

  // The page's OK, Cancel and resize.
  void ScriptConfirm() override;
  void ScriptCancel() override;
  void ScriptResize(int width, int height) override;

  // The page may reach the script object from whatever zone it comes.
  BOOL CanAccessExternal() override { return TRUE; }
  BOOL OnInitDialog() override;
  BOOL IsStandInShown() const { return m_standIn.IsShown(); }
  const CDatiStandIn& GetStandIn() const { return m_standIn; }

 protected:
  // A page on this computer that is not there is not handed to the browser:
  // the stand-in shows instead of the browser's error page.
  BOOL IsPageReachable() override;
  void OnBrowserUnavailable() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  CIDispatchIEExt* m_pScript = nullptr;
  CDatiStandIn m_standIn;
};
