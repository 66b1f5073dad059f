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
  // The font of a text being edited. The dialog shows its face even where
  // this computer lacks it, and OK keeps its face, style and size unless the
  // user chose others. A font set in m_lf instead is where a new text starts:
  // in a face that is here.
  void SetTextFont(const LOGFONTA& font);

  CString m_text;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  // What the user chose in the dialog's lists.
  struct Chosen {
    bool face = false, style = false, size = false, script = false;
  };
  // The text's face, style, size and colour shown whatever the system's lists hold.
  void ShowOwnFont();

  bool m_ownFont = false;
  bool m_shown = false;
  LOGFONTA m_own{};
  Chosen m_chosen;
};
