#include "app/dialogs/ScriptCall.h"

#include <algorithm>
#include <string>

namespace {
std::wstring wide(const char* text) {
  int n = ::MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, &w[0], n);
  w.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);  // without the end the call counts
  return w;
}
}  // namespace

CScriptCall::~CScriptCall() {
  for (VARIANT& v : m_args) ::VariantClear(&v);
}

CScriptCall& CScriptCall::Arg(const char* text) { return Arg(wide(text)); }

CScriptCall& CScriptCall::Arg(const std::wstring& text) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = ::SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
  m_args.push_back(v);
  return *this;
}

CScriptCall& CScriptCall::Arg(int value) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  m_args.push_back(v);
  return *this;
}

HRESULT CScriptCall::Invoke(IDispatch* target, const char* name, VARIANT* pResult) {
  if (!target) return E_POINTER;
  std::wstring wideName = wide(name);
  LPOLESTR names[] = {&wideName[0]};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  // The automation order is the script's reversed.
  std::vector<VARIANT> reversed(m_args.rbegin(), m_args.rend());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  UINT argErr = 0;
  return target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, pResult, nullptr, &argErr);
}
