#include "framework/scripted_ui.h"

#include <cstring>

CScriptedUi::CScriptedUi() : m_pPrevious(AfxSetUiSeam(this)) {}

CScriptedUi::~CScriptedUi() { AfxSetUiSeam(m_pPrevious); }

void CScriptedUi::AnswerMessage(int nResult) {
  Answer a;
  a.kind = "message";
  a.result = nResult;
  m_answers.push_back(a);
}

void CScriptedUi::AnswerFiles(const std::vector<CString>& paths) {
  Answer a;
  a.kind = "file";
  a.paths = paths;
  if (paths.size() == 1) a.widePath = AfxWiden(paths[0]);
  m_answers.push_back(a);
}

void CScriptedUi::AnswerColor(COLORREF color) {
  Answer a;
  a.kind = "color";
  a.result = TRUE;
  a.color = color;
  m_answers.push_back(a);
}

void CScriptedUi::CancelColor() {
  Answer a;
  a.kind = "color";
  a.result = FALSE;
  m_answers.push_back(a);
}

void CScriptedUi::AnswerFont(const LOGFONTA& font) {
  Answer a;
  a.kind = "font";
  a.font = font;
  m_answers.push_back(a);
}

void CScriptedUi::AnswerFolder(const CString& path) {
  Answer a;
  a.kind = "folder";
  a.paths.push_back(path);
  a.widePath = AfxWiden(path);
  m_answers.push_back(a);
}

void CScriptedUi::AnswerWide(const char* kind, const std::wstring& path) {
  Answer a;
  a.kind = kind;
  a.paths.push_back(AfxNarrow(path).c_str());
  a.widePath = path;
  m_answers.push_back(a);
}

void CScriptedUi::AnswerWideFile(const std::wstring& path) { AnswerWide("file", path); }

void CScriptedUi::AnswerWideFolder(const std::wstring& path) { AnswerWide("folder", path); }

void CScriptedUi::AnswerModal(INT_PTR nResult) {
  Answer a;
  a.kind = "modal";
  a.result = static_cast<int>(nResult);
  m_answers.push_back(a);
}

void CScriptedUi::AnswerModalWith(std::function<void(CWnd*)> action) {
  Answer a;
  a.kind = "modal";
  a.action = std::move(action);
  m_answers.push_back(a);
}

size_t CScriptedUi::PendingAnswers() const { return m_answers.size(); }

void CScriptedUi::Clear() {
  m_answers.clear();
  m_questions.clear();
}

bool CScriptedUi::Take(const char* kind, Answer& rAnswer) {
  for (auto it = m_answers.begin(); it != m_answers.end(); ++it) {
    if (it->kind == kind) {
      rAnswer = *it;
      m_answers.erase(it);
      return true;
    }
  }
  return false;
}

int CScriptedUi::MessageBox(HWND, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  m_questions.push_back({"message", lpszText, lpszCaption, nType});
  Answer a;
  if (Take("message", a)) return a.result;
  // Unanswered: the most cautious button the box offers.
  switch (nType & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
  }
}

BOOL CScriptedUi::FillFileName(OPENFILENAMEA* pOfn, const char* kind, std::wstring& rWidePath) {
  m_questions.push_back({kind, pOfn->lpstrTitle ? pOfn->lpstrTitle : "", "", 0});
  rWidePath.clear();
  Answer a;
  if (!Take("file", a) || a.paths.empty() || !pOfn->lpstrFile || pOfn->nMaxFile == 0) return FALSE;
  if (a.paths.size() == 1) {
    if (!AfxStoreChosenPath(pOfn, a.widePath)) return FALSE;
    rWidePath = a.widePath;
    return TRUE;
  }
  // Several: folder, names, double terminator (the multi-select form).
  std::string block;
  for (const CString& p : a.paths) {
    block += p.str();
    block.push_back('\0');
  }
  block.push_back('\0');
  if (block.size() > pOfn->nMaxFile) {
    // As the system does: the size it would need in the buffer's first two bytes.
    if (pOfn->nMaxFile >= 2) {
      const WORD needed = static_cast<WORD>(block.size() > 0xFFFF ? 0xFFFF : block.size());
      std::memcpy(pOfn->lpstrFile, &needed, sizeof needed);
    }
    return FALSE;
  }
  std::memcpy(pOfn->lpstrFile, block.data(), block.size());
  pOfn->nFileOffset = static_cast<WORD>(a.paths[0].GetLength() + 1);
  pOfn->nFileExtension = 0;
  return TRUE;
}

BOOL CScriptedUi::GetOpenFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) {
  return FillFileName(pOfn, "open", rWidePath);
}

BOOL CScriptedUi::GetSaveFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) {
  return FillFileName(pOfn, "save", rWidePath);
}

BOOL CScriptedUi::ChooseColor(CHOOSECOLORA* pCc) {
  m_questions.push_back({"color", "", "", 0});
  Answer a;
  if (!Take("color", a) || !a.result) return FALSE;
  pCc->rgbResult = a.color;
  return TRUE;
}

BOOL CScriptedUi::ChooseFont(CHOOSEFONTA* pCf) {
  m_questions.push_back({"font", "", "", 0});
  Answer a;
  if (!Take("font", a) || !pCf->lpLogFont) return FALSE;
  *pCf->lpLogFont = a.font;
  return TRUE;
}

BOOL CScriptedUi::BrowseForFolder(BROWSEINFOA* pBi, CString& rPath, std::wstring& rWidePath) {
  m_questions.push_back({"folder", pBi && pBi->lpszTitle ? pBi->lpszTitle : "", "", 0});
  Answer a;
  if (!Take("folder", a) || a.paths.empty() || a.paths[0].IsEmpty()) return FALSE;
  rPath = a.paths[0];
  rWidePath = a.widePath;
  return TRUE;
}

BOOL CScriptedUi::BeforeModal(CWnd*, UINT nIDTemplate, INT_PTR& rResult,
                              std::function<void(CWnd*)>& rAction) {
  m_questions.push_back({"modal", "", "", nIDTemplate});
  Answer a;
  if (!Take("modal", a)) {
    rResult = IDCANCEL;
    return TRUE;
  }
  if (a.action) {
    rAction = a.action;
    return FALSE;
  }
  rResult = a.result;
  return TRUE;
}

void CScriptedUi::ReportError(LPCSTR lpszText) {
  m_questions.push_back({"error", lpszText ? lpszText : "", "", 0});
}
