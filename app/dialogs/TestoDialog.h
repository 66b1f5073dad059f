#pragma once
// The text dialog: the system font choice (TrueType fonts only, and the text's
// colour) with an edit for the text itself, from dialog template 1543 of the
// program's resources. The caller sets the text, font and colour before running
// it and reads them after OK.
#include <string>

#include "app/resource.h"
#include "framework/framework.h"

class CTestoDialog : public CFontDialog {
 public:
  explicit CTestoDialog(CWnd* parent = nullptr);
  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

  // A text node breaks its lines with "\n", the edit with "\r\n".
  void SetText(const std::string& text);
  std::string GetText() const;

  CString m_text;
};
