#pragma once
// "Opzioni": the custom graphics folder and the external image editor's
// command line (the caller fills both before running and reads them after
// OK, the folder trimmed and its tree made), and the writing of this
// computer's font list file.
#include "app/resource.h"
#include "framework/framework.h"

class COpzioniDlg : public CDialog {
 public:
  enum { IDD = IDD_OPZIONI };
  explicit COpzioniDlg(CWnd* pParent);

  CString m_strCustomFolder;
  CString m_strExtAppCmdLine;

  // Asks where to write the font list and writes it.
  afx_msg void SaveFontList();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  afx_msg void OnBrowseFolder();
  afx_msg void OnBrowseExtApp();
  DECLARE_MESSAGE_MAP()
};
