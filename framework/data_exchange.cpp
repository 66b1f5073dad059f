#include "framework/data_exchange.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "framework/gdi.h"

namespace {
const char kIntMessage[] = "Please enter an integer.";
const char kRealMessage[] = "Please enter a number.";

void failWith(CDataExchange* pDX, const CString& message) {
  AfxMessageBox(message, MB_ICONEXCLAMATION);
  pDX->Fail();
}

void rangeFail(CDataExchange* pDX, const char* kind, const CString& low, const CString& high) {
  CString message;
  message.Format("Please enter %s between %s and %s.", kind, low, high);
  failWith(pDX, message);
}

CString controlText(HWND h) {
  CString text;
  int n = ::GetWindowTextLengthA(h);
  char* buffer = text.GetBuffer(n + 1);
  ::GetWindowTextA(h, buffer, n + 1);
  text.ReleaseBuffer();
  return text;
}

// Reads a whole number; the text must be nothing but the number (spaces around
// it allowed) and within [minVal, maxVal] of the target type.
void exchangeInteger(CDataExchange* pDX, int nIDC, long long& value, long long minVal,
                     long long maxVal, bool isUnsigned) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    if (isUnsigned)
      text.Format("%lu", static_cast<unsigned long>(value));
    else
      text.Format("%ld", static_cast<long>(value));
    ::SetWindowTextA(h, text);
    return;
  }
  CString text = controlText(h);
  text.Trim();
  const char* begin = text;
  char* end = nullptr;
  errno = 0;
  long long parsed = std::strtoll(begin, &end, 10);
  bool ok = !text.IsEmpty() && end && *end == '\0' && errno == 0 && parsed >= minVal &&
            parsed <= maxVal && !(isUnsigned && text[0] == '-');
  if (!ok) failWith(pDX, kIntMessage);
  value = parsed;
}

template <class T>
void exchangeTyped(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal,
                   bool isUnsigned) {
  long long v = static_cast<long long>(value);
  exchangeInteger(pDX, nIDC, v, minVal, maxVal, isUnsigned);
  value = static_cast<T>(v);
}

void exchangeReal(CDataExchange* pDX, int nIDC, double& value, int nDigits) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format("%.*g", nDigits, value);
    ::SetWindowTextA(h, text);
    return;
  }
  CString text = controlText(h);
  text.Trim();
  char* end = nullptr;
  errno = 0;
  double parsed = std::strtod(text, &end);
  if (text.IsEmpty() || !end || *end != '\0' || errno != 0 || !std::isfinite(parsed))
    failWith(pDX, kRealMessage);
  value = parsed;
}
}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (!h) {
    CString message;
    message.Format("Dialog control %d does not exist.", nIDC);
    throw std::runtime_error(message.GetString());
  }
  m_hWndLastControl = h;
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  throw CUserException();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    return FALSE;
  }
  return TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = controlText(h);
  else
    ::SetWindowTextA(h, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { exchangeTyped(pDX, nIDC, value, INT_MIN, INT_MAX, false); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { exchangeTyped(pDX, nIDC, value, 0, UINT_MAX, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { exchangeTyped(pDX, nIDC, value, LONG_MIN, LONG_MAX, false); }
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { exchangeTyped(pDX, nIDC, value, 0, ULONG_MAX, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { exchangeTyped(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, false); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { exchangeTyped(pDX, nIDC, value, 0, UCHAR_MAX, true); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { exchangeReal(pDX, nIDC, value, 15); }

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
  double v = value;
  exchangeReal(pDX, nIDC, v, 6);
  value = static_cast<float>(v);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(h, BM_GETCHECK, 0, 0));
  else
    ::SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

// nIDC is the first radio button of a group; value is the index of the checked
// one (-1 for none).
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  do {
    if (::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
      } else {
        ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    h = ::GetWindow(h, GW_HWNDNEXT);
  } while (h && !(::GetWindowLongA(h, GWL_STYLE) & WS_GROUP));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(h)) {
    CString message;
    message.Format("Dialog control %d is already bound to another object.", nIDC);
    throw std::runtime_error(message.GetString());
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = controlText(h);
  } else if (::SendMessageA(h, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
    ::SetWindowTextA(h, value);
  }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    int sel = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
    value.Empty();
    if (sel != LB_ERR) {
      int n = static_cast<int>(::SendMessageA(h, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0));
      char* buffer = value.GetBuffer(n + 1);
      ::SendMessageA(h, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buffer));
      value.ReleaseBuffer();
    }
  } else {
    ::SendMessageA(h, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
  }
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(h, TBM_GETPOS, 0, 0));
  else
    ::SendMessageA(h, TBM_SETPOS, TRUE, value);
}

namespace {
template <class T>
void checkRange(CDataExchange* pDX, T value, T minVal, T maxVal, const char* kind, const char* format) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  CString low, high;
  low.Format(format, minVal);
  high.Format(format, maxVal);
  rangeFail(pDX, kind, low, high);
}
}  // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  checkRange(pDX, value, minVal, maxVal, "an integer", "%d");
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  checkRange(pDX, value, minVal, maxVal, "an integer", "%u");
}
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  checkRange(pDX, value, minVal, maxVal, "an integer", "%ld");
}
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  checkRange(pDX, value, minVal, maxVal, "an integer", "%lu");
}
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  checkRange<UINT>(pDX, value, minVal, maxVal, "an integer", "%u");
}
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  checkRange(pDX, value, minVal, maxVal, "a number", "%g");
}
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) {
  checkRange<double>(pDX, value, minVal, maxVal, "a number", "%g");
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
      ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    return;
  }
  if (value.GetLength() > nChars) {
    CString message;
    message.Format("Please enter no more than %d characters.", nChars);
    failWith(pDX, message);
  }
}
