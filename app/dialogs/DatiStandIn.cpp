#include "app/dialogs/DatiStandIn.h"

#include <algorithm>

#include "app/dialogs/CodePageText.h"
#include "app/dialogs/EditLineBreaks.h"
#include "app/dialogs/ScriptCall.h"

namespace {
// Layout in dialog units: margins, the label column, row heights, buttons.
constexpr int kMargin = 7, kLabelWidth = 110, kRowHeight = 12, kTextAreaHeight = 36, kGap = 4;
constexpr int kButtonWidth = 50, kButtonHeight = 14, kMinEditWidth = 60, kNoteHeight = 16;

// A variant cleared with the owner.
class CResult {
 public:
  CResult() { ::VariantInit(&m_v); }
  ~CResult() { ::VariantClear(&m_v); }
  CResult(const CResult&) = delete;
  CResult& operator=(const CResult&) = delete;
  VARIANT* Get() { return &m_v; }

 private:
  VARIANT m_v;
};

CString textOf(const VARIANT& v) {
  if (v.vt != VT_BSTR || !v.bstrVal) return CString();
  int n = ::WideCharToMultiByte(CP_ACP, 0, v.bstrVal, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(std::max(n, 1)), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, v.bstrVal, -1, &text[0], n, nullptr, nullptr);
  return CString(text.c_str());
}

// Dialog units to pixels for this dialog.
CRect units(CWnd* pDialog, int x, int y, int w, int h) {
  CRect r(x, y, x + w, y + h);
  ::MapDialogRect(pDialog->m_hWnd, &r);
  return r;
}
}  // namespace

void CDatiStandIn::Reset() {
  for (CWnd* control : {static_cast<CWnd*>(m_note.get()), static_cast<CWnd*>(m_ok.get()),
                        static_cast<CWnd*>(m_cancel.get())})
    if (control && control->m_hWnd) control->DestroyWindow();
  for (Row& row : m_rows) {
    if (row.label->m_hWnd) row.label->DestroyWindow();
    if (row.edit->m_hWnd) row.edit->DestroyWindow();
  }
  m_rows.clear();
  m_note.reset();
  m_ok.reset();
  m_cancel.reset();
  m_pDialog = nullptr;
  m_pScript = nullptr;
}

void CDatiStandIn::Create(CWnd* pDialog, const std::vector<PageField>& fields, IDispatch* pScript,
                          const std::string& note) {
  // The fields of an earlier run (another album, another page) are not this one's.
  Reset();
  m_pDialog = pDialog;
  m_pScript = pScript;
  CFont* font = pDialog->GetFont();
  auto useFont = [font](CWnd& control) {
    if (font) control.SetFont(font, FALSE);
  };
  if (!note.empty()) {
    m_note = std::make_unique<CStatic>();
    m_note->Create(note.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, CRect(0, 0, 0, 0), pDialog, kNoteId);
    useFont(*m_note);
  }
  UINT id = kFirstEditId;
  for (const PageField& field : fields) {
    Row row{field, std::make_unique<CStatic>(), std::make_unique<CEdit>()};
    row.label->Create(field.label.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, CRect(0, 0, 0, 0),
                      pDialog);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    if (field.multiline) style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    // A window of wide characters: a letter the code page lacks stays as typed
    // until OK names it, instead of turning into "?" on the way in.
    row.edit->Attach(::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, 0, 0, pDialog->m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id++)),
                                       ::GetModuleHandleW(nullptr), nullptr));
    useFont(*row.label);
    useFont(*row.edit);
    CResult value;
    if (SUCCEEDED(CScriptCall().Arg(field.name.c_str()).Invoke(pScript, "SPAB_GetParam", value.Get())))
      row.edit->SetWindowText(ToEditLineBreaks(textOf(*value.Get()).str()).c_str());
    m_rows.push_back(std::move(row));
  }
  m_ok = std::make_unique<CButton>();
  m_cancel = std::make_unique<CButton>();
  m_ok->Create("OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, CRect(0, 0, 0, 0), pDialog, IDOK);
  m_cancel->Create("Annulla", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(0, 0, 0, 0), pDialog,
                   IDCANCEL);
  useFont(*m_ok);
  useFont(*m_cancel);
  if (!m_rows.empty()) m_rows.front().edit->SetFocus();
}

int CDatiStandIn::Layout(int clientWidth) {
  if (!m_pDialog) return 0;
  CRect unit = units(m_pDialog, 0, 0, 4, 8);  // 4 x 8 dialog units: a character cell
  const int pxPerX4 = std::max(1, unit.Width()), pxPerY8 = std::max(1, unit.Height());
  auto toUnitsX = [&](int px) { return px * 4 / pxPerX4; };
  const int widthUnits = toUnitsX(clientWidth);
  const int editWidth = std::max(kMinEditWidth, widthUnits - 3 * kMargin - kLabelWidth);
  const int right = 2 * kMargin + kLabelWidth + editWidth;
  int y = kMargin;
  if (m_note) {
    m_note->MoveWindow(units(m_pDialog, kMargin, y, right - kMargin, kNoteHeight));
    y += kNoteHeight + kGap;
  }
  for (Row& row : m_rows) {
    const int h = row.field.multiline ? kTextAreaHeight : kRowHeight;
    row.label->MoveWindow(units(m_pDialog, kMargin, y + 2, kLabelWidth, 8));
    row.edit->MoveWindow(units(m_pDialog, 2 * kMargin + kLabelWidth, y, editWidth, h));
    y += h + kGap;
  }
  y += kGap;
  m_cancel->MoveWindow(units(m_pDialog, right - kButtonWidth, y, kButtonWidth, kButtonHeight));
  m_ok->MoveWindow(units(m_pDialog, right - 2 * kButtonWidth - kGap, y, kButtonWidth, kButtonHeight));
  y += kButtonHeight + kMargin;
  return y * pxPerY8 / 8;
}

void CDatiStandIn::Confirm() {
  // The values as typed: the script object refuses what the code page cannot hold.
  for (Row& row : m_rows) {
    const std::wstring typed = FromEditLineBreaks(WideWindowText(row.edit->m_hWnd));
    CScriptCall().Arg(row.field.name.c_str()).Arg(typed).Invoke(m_pScript, "SPAB_SetParam");
  }
  CScriptCall().Invoke(m_pScript, "SPAB_Confirm");
}

void CDatiStandIn::Cancel() { CScriptCall().Invoke(m_pScript, "SPAB_Cancel"); }
