#include "framework/dhtml_site.h"

#include <exdispid.h>

#include "framework/dhtml_dialog.h"

CDHtmlSite::CDHtmlSite(CDHtmlDialog* pDialog) : m_pDialog(pDialog) {}

STDMETHODIMP CDHtmlSite::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite)
    *ppv = static_cast<IOleClientSite*>(this);
  else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
    *ppv = static_cast<IOleInPlaceSite*>(this);
  else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
    *ppv = static_cast<IOleInPlaceFrame*>(this);
  else if (riid == IID_IDocHostUIHandler)
    *ppv = static_cast<IDocHostUIHandler*>(this);
  else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2)
    *ppv = static_cast<IDispatch*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CDHtmlSite::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) CDHtmlSite::Release() {
  LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP CDHtmlSite::GetContainer(IOleContainer** ppContainer) {
  if (ppContainer) *ppContainer = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP CDHtmlSite::GetWindow(HWND* phwnd) {
  if (!phwnd) return E_POINTER;
  *phwnd = m_pDialog ? m_pDialog->m_hWnd : nullptr;
  return *phwnd ? S_OK : E_FAIL;
}

STDMETHODIMP CDHtmlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                          LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) {
  if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo) return E_POINTER;
  *ppFrame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *ppDoc = nullptr;
  RECT client{0, 0, 0, 0};
  if (m_pDialog && m_pDialog->m_hWnd) ::GetClientRect(m_pDialog->m_hWnd, &client);
  *lprcPosRect = client;
  *lprcClipRect = client;
  lpFrameInfo->fMDIApp = FALSE;
  lpFrameInfo->hwndFrame = m_pDialog ? m_pDialog->m_hWnd : nullptr;
  lpFrameInfo->haccel = nullptr;
  lpFrameInfo->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP CDHtmlSite::OnPosRectChange(LPCRECT lprcPosRect) {
  if (!lprcPosRect || !m_pDialog || !m_pDialog->m_inPlace) return E_UNEXPECTED;
  return m_pDialog->m_inPlace->SetObjectRects(lprcPosRect, lprcPosRect);
}

STDMETHODIMP CDHtmlSite::GetHostInfo(DOCHOSTUIINFO* pInfo) {
  if (!pInfo) return E_POINTER;
  pInfo->dwFlags = 0;  // no extra host flags
  pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

STDMETHODIMP CDHtmlSite::GetExternal(IDispatch** ppDispatch) {
  if (!ppDispatch) return E_POINTER;
  *ppDispatch = nullptr;
  if (!m_pDialog || !m_pDialog->GetExternalDispatch() || !m_pDialog->CanAccessExternal()) return S_FALSE;
  *ppDispatch = m_pDialog->GetExternalDispatch();
  (*ppDispatch)->AddRef();
  return S_OK;
}

STDMETHODIMP CDHtmlSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) {
  if (ppchURLOut) *ppchURLOut = nullptr;
  return S_FALSE;
}

STDMETHODIMP CDHtmlSite::FilterDataObject(IDataObject*, IDataObject** ppDORet) {
  if (ppDORet) *ppDORet = nullptr;
  return S_FALSE;
}

STDMETHODIMP CDHtmlSite::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo) *pctinfo = 0;
  return S_OK;
}

STDMETHODIMP CDHtmlSite::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CDHtmlSite::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*, EXCEPINFO*,
                                UINT*) {
  if (dispIdMember != DISPID_NAVIGATEERROR || !m_pDialog) return S_OK;
  // The first of its five arguments (the array's last) names the browser or
  // frame whose page failed; a frame inside the page is not the page.
  if (pParams && pParams->cArgs == 5 && pParams->rgvarg[4].vt == VT_DISPATCH && m_pDialog->m_browser) {
    ComRef<IUnknown> failed, ours;
    IDispatch* where = pParams->rgvarg[4].pdispVal;
    if (!where || FAILED(where->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(failed.Out()))) ||
        FAILED(m_pDialog->m_browser->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(ours.Out()))) ||
        failed.Get() != ours.Get())
      return S_OK;
  }
  m_pDialog->OnNavigateError();
  return S_OK;
}
