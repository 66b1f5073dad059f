#pragma once
// "Nuovo sposalbo": the name of a new album, the folder its project folder is
// made in, and either an album template (*.sbt) or a page size in
// millimetres. The entries are checked before the dialog closes with OK.
#include <memory>
#include <vector>

#include "app/resource.h"
#include "framework/framework.h"

class CDlgNuovoSposalbo : public CDialog {
 public:
  enum { IDD = IDD_NUOVO_SPOSALBO };
  // The album templates offered come from the custom template folder (may
  // be empty: none) and then the program's template folder; both end with a
  // backslash. Page templates saved there are left out.
  CDlgNuovoSposalbo(CWnd* pParent, const CString& customTemplateFolder, const CString& templateFolder);

  // Results, read after OK.
  CString m_strName;
  CString m_strFolder;         // the folder the album's folder is made in
  bool m_bFromTemplate = true;
  CString m_strTemplatePath;   // empty: none chosen
  int m_nPageWidth = 0;
  int m_nPageHeight = 0;

  // The message boxes of the checks.
  static const char kErrorTitle[];

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnFromTemplate();
  afx_msg void OnBlank();
  afx_msg void OnBrowseFolder();
  afx_msg void OnBrowseTemplate();
  DECLARE_MESSAGE_MAP()

 private:
  void FillTemplateList();
  void AddTemplateFolder(const CString& folder);
  int AddTemplate(const CString& path);
  void ApplyMode(bool fromTemplate);
  void Refuse(const char* message, int focusId);

  CString m_customTemplateFolder;
  CString m_templateFolder;
  CComboBox m_templates;
  // One full path per combo item; the items carry pointers to them.
  std::vector<std::unique_ptr<CString>> m_templatePaths;
};
