#pragma once
// A UI seam for tests: answers come from a queue, every question is recorded,
// and a question without a queued answer is refused at once (Cancel) rather
// than shown. Installs itself for its lifetime.
#include <deque>
#include <functional>
#include <vector>

#include "framework/ui_seam.h"

struct AfxUiQuestion {
  CString kind;     // "message", "open", "save", "color", "font", "folder", "modal", "error"
  CString text;     // message text, dialog title or filter
  CString caption;  // message caption
  UINT type = 0;    // message box style or dialog template id
};

class CScriptedUi : public CUiSeam {
 public:
  CScriptedUi();
  ~CScriptedUi() override;
  CScriptedUi(const CScriptedUi&) = delete;
  CScriptedUi& operator=(const CScriptedUi&) = delete;

  // Queued answers, taken in order by the next question of the same kind.
  void AnswerMessage(int nResult);
  void AnswerFiles(const std::vector<CString>& paths);  // empty: cancelled
  void AnswerColor(COLORREF color);
  void CancelColor();
  void AnswerFont(const LOGFONTA& font);
  void AnswerFolder(const CString& path);  // empty: cancelled
  // One file or folder as the user chose it; the code page's text of it is
  // what the ANSI calls return.
  void AnswerWideFile(const std::wstring& path);
  void AnswerWideFolder(const std::wstring& path);
  void AnswerModal(INT_PTR nResult);
  // The real modal loop runs and the action acts on the initialised dialog.
  void AnswerModalWith(std::function<void(CWnd*)> action);

  const std::vector<AfxUiQuestion>& Questions() const { return m_questions; }
  size_t PendingAnswers() const;
  void Clear();

  int MessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) override;
  BOOL GetOpenFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) override;
  BOOL GetSaveFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) override;
  BOOL ChooseColor(CHOOSECOLORA* pCc) override;
  BOOL ChooseFont(CHOOSEFONTA* pCf) override;
  BOOL BrowseForFolder(BROWSEINFOA* pBi, CString& rPath, std::wstring& rWidePath) override;
  BOOL BeforeModal(CWnd* pDialog, UINT nIDTemplate, INT_PTR& rResult,
                   std::function<void(CWnd*)>& rAction) override;
  void ReportError(LPCSTR lpszText) override;

 private:
  struct Answer {
    CString kind;
    int result = 0;
    std::vector<CString> paths;
    std::wstring widePath;  // one path answered as the user chose it
    COLORREF color = 0;
    LOGFONTA font{};
    std::function<void(CWnd*)> action;
  };
  void AnswerWide(const char* kind, const std::wstring& path);
  bool Take(const char* kind, Answer& rAnswer);
  BOOL FillFileName(OPENFILENAMEA* pOfn, const char* kind, std::wstring& rWidePath);

  std::deque<Answer> m_answers;
  std::vector<AfxUiQuestion> m_questions;
  CUiSeam* m_pPrevious;
};
