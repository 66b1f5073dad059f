#include "app/dialogs/IDispatchIEExt.h"

#include <cstring>

#include "app/dialogs/CodePageText.h"
#include "document/nodes/DatiTreeNode.h"
#include "framework/framework.h"

namespace {
const char* const kNames[] = {"SPAB_GetParam", "SPAB_SetParam", "SPAB_Confirm", "SPAB_Cancel", "SPAB_Resize"};
// How many arguments each function needs, by dispatch id - 1.
const UINT kArgCounts[] = {1, 2, 0, 0, 2};

std::string narrow(const wchar_t* wide) {
  if (!wide) return std::string();  // a null string is an empty one
  int n = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string text(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], n, nullptr, nullptr);
  text.resize(static_cast<size_t>(n - 1));
  return text;
}

BSTR wideString(const std::string& text) {
  int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  BSTR b = ::SysAllocStringLen(nullptr, static_cast<UINT>(n));
  if (b && n > 0) ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), b, n);
  return b;
}

// A variant converted to another type, cleared with the owner.
class CConverted {
 public:
  CConverted() { ::VariantInit(&m_v); }
  ~CConverted() { ::VariantClear(&m_v); }
  CConverted(const CConverted&) = delete;
  CConverted& operator=(const CConverted&) = delete;
  HRESULT From(VARIANT* source, VARTYPE type) {
    ::VariantClear(&m_v);
    return ::VariantChangeType(&m_v, source, 0, type);
  }
  const VARIANT& Get() const { return m_v; }

 private:
  VARIANT m_v;
};

// The script's arguments: the script's first is the array's last.
class CArguments {
 public:
  explicit CArguments(DISPPARAMS* params) : m_params(params) {}
  UINT Count() const { return m_params ? m_params->cArgs : 0; }
  VARIANT* At(UINT scriptIndex) const { return &m_params->rgvarg[m_params->cArgs - 1 - scriptIndex]; }
  HRESULT String(UINT scriptIndex, std::string& out, UINT* puArgErr) const {
    std::wstring typed;
    const HRESULT hr = WideString(scriptIndex, typed, puArgErr);
    if (SUCCEEDED(hr)) out = narrow(typed.c_str());
    return hr;
  }
  HRESULT WideString(UINT scriptIndex, std::wstring& out, UINT* puArgErr) const {
    CConverted v;
    if (FAILED(v.From(At(scriptIndex), VT_BSTR))) return mismatch(scriptIndex, puArgErr);
    const BSTR text = v.Get().bstrVal;
    out = text ? text : L"";  // to its first NUL, as the code page's text ends
    return S_OK;
  }
  HRESULT Integer(UINT scriptIndex, int& out, UINT* puArgErr) const {
    CConverted v;
    if (FAILED(v.From(At(scriptIndex), VT_I4))) return mismatch(scriptIndex, puArgErr);
    out = static_cast<int>(v.Get().lVal);
    return S_OK;
  }

 private:
  HRESULT mismatch(UINT scriptIndex, UINT* puArgErr) const {
    if (puArgErr) *puArgErr = m_params->cArgs - 1 - scriptIndex;
    return DISP_E_TYPEMISMATCH;
  }
  DISPPARAMS* m_params;
};
}  // namespace

CIDispatchIEExt::CIDispatchIEExt(IScriptDialogActions* pDialog) : m_pDialog(pDialog) {}

void CIDispatchIEExt::LoadParams(treeNode::CDatiTreeNode* pDati) {
  m_pDati = pDati;
  m_params.clear();
  m_unkept.clear();
  if (!pDati) return;
  for (size_t i = 0; i < pDati->GetChildCount(); ++i)
    if (auto* v = dynamic_cast<treeNode::CVariabileTreeNode*>(pDati->GetChild(i))) m_params[v->GetName()] = v->GetValore();
}

void CIDispatchIEExt::StoreParams() {
  if (!m_pDati) return;
  m_pDati->RemoveAll();
  for (const auto& entry : m_params) m_pDati->AddVariable(entry.first, entry.second);
}

STDMETHODIMP CIDispatchIEExt::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CIDispatchIEExt::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) CIDispatchIEExt::Release() {
  // The frame owns the object: the count only records the script's holds.
  if (m_refs <= 0) return 0;
  return static_cast<ULONG>(::InterlockedDecrement(&m_refs));
}

STDMETHODIMP CIDispatchIEExt::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo) *pctinfo = 0;
  return E_NOTIMPL;
}

STDMETHODIMP CIDispatchIEExt::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CIDispatchIEExt::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
  if (cNames > 0 && (!rgszNames || !rgDispId)) return E_INVALIDARG;
  HRESULT result = S_OK;
  for (UINT i = 0; i < cNames; ++i) {
    const std::string name = narrow(rgszNames[i]);
    rgDispId[i] = DISPID_UNKNOWN;
    for (DISPID id = idGetParam; id <= idResize; ++id)
      if (name == kNames[id - 1]) rgDispId[i] = id;
    if (rgDispId[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

STDMETHODIMP CIDispatchIEExt::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr) {
  if (!(wFlags & DISPATCH_METHOD) || dispIdMember < idGetParam || dispIdMember > idResize) return S_OK;
  CArguments args(pDispParams);
  if (pDispParams && pDispParams->cArgs > 0 && !pDispParams->rgvarg) return E_INVALIDARG;
  if (args.Count() < kArgCounts[dispIdMember - 1]) return DISP_E_BADPARAMCOUNT;
  HRESULT hr = S_OK;
  switch (dispIdMember) {
    case idGetParam: {
      std::string name;
      if (FAILED(hr = args.String(0, name, puArgErr))) return hr;
      if (!pVarResult) return S_OK;
      ::VariantInit(pVarResult);
      auto it = m_params.find(name);
      if (it == m_params.end()) {
        pVarResult->vt = VT_NULL;
      } else {
        pVarResult->vt = VT_BSTR;
        pVarResult->bstrVal = wideString(it->second);
        if (!pVarResult->bstrVal) {
          pVarResult->vt = VT_EMPTY;
          return E_OUTOFMEMORY;
        }
      }
      return S_OK;
    }
    case idSetParam: {
      std::string name;
      std::wstring typed;
      if (FAILED(hr = args.String(0, name, puArgErr)) || FAILED(hr = args.WideString(1, typed, puArgErr))) return hr;
      // A value the code page cannot hold is not taken: the confirm says so.
      const std::string unkept = CharactersOutsideCodePage(typed);
      if (!unkept.empty()) {
        m_unkept[name] = unkept;
        return S_OK;
      }
      m_unkept.erase(name);
      m_params[name] = narrow(typed.c_str());
      return S_OK;
    }
    case idConfirm:
      if (!m_unkept.empty()) {
        // The page stays open, its values as typed, to be corrected.
        UnkeptCharacters fields;
        for (const auto& field : m_unkept) fields.emplace_back("Il campo \"" + field.first + "\"", field.second);
        AfxMessageBox(UnkeptCharactersMessage(fields).c_str(), MB_ICONEXCLAMATION);
        return S_OK;
      }
      StoreParams();
      if (m_pDialog) m_pDialog->ScriptConfirm();
      return S_OK;
    case idCancel:
      if (m_pDialog) m_pDialog->ScriptCancel();
      return S_OK;
    default: {
      int width = 0, height = 0;
      if (FAILED(hr = args.Integer(0, width, puArgErr)) || FAILED(hr = args.Integer(1, height, puArgErr))) return hr;
      // No window of no size, or of a size no screen has.
      if (width <= 0 || height <= 0 || width > kMaxResize || height > kMaxResize) return E_INVALIDARG;
      if (m_pDialog) m_pDialog->ScriptResize(width, height);
      return S_OK;
    }
  }
}
