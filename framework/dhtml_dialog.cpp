#include "framework/dhtml_dialog.h"

#include <string>

#include "framework/dhtml_site.h"

IMPLEMENT_DYNAMIC(CDHtmlDialog, CDialog)

namespace {
// Posted to itself when the browser reports that the page failed to load.
const UINT kPageFailed = ::RegisterWindowMessageA("SposalboFrameworkHtmlPageFailed");
}  // namespace

BEGIN_MESSAGE_MAP(CDHtmlDialog, CDialog)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_REGISTERED_MESSAGE(kPageFailed, OnPageFailed)
END_MESSAGE_MAP()

namespace {
// The system's HTML document class, whose presence says pages can be shown.
const wchar_t kHtmlDocumentClass[] = L"{25336920-03F9-11CF-8FD0-00AA00686F13}";

// A string for the automation calls, freed with the owner.
class CComBstr {
 public:
  explicit CComBstr(LPCSTR text) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, &wide[0], n);
    m_b = ::SysAllocString(wide.c_str());
  }
  ~CComBstr() { ::SysFreeString(m_b); }
  CComBstr(const CComBstr&) = delete;
  CComBstr& operator=(const CComBstr&) = delete;
  BSTR Get() const { return m_b; }

 private:
  BSTR m_b;
};
}  // namespace

BOOL AfxHtmlEngineAvailable() {
  CLSID clsid;
  if (FAILED(::CLSIDFromString(kHtmlDocumentClass, &clsid))) return FALSE;
  ComRef<IUnknown> document;
  return SUCCEEDED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(document.Out())));
}

CDHtmlDialog::CDHtmlDialog() = default;

CDHtmlDialog::CDHtmlDialog(UINT nIDTemplate, UINT, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CDHtmlDialog::~CDHtmlDialog() { DestroyBrowser(); }

void CDHtmlDialog::SetExternalDispatch(IDispatch* pDispatch) {
  if (pDispatch) pDispatch->AddRef();
  m_external.Reset(pDispatch);
}

BOOL CDHtmlDialog::CanAccessExternal() { return FALSE; }

BOOL CDHtmlDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bFellBack = false;
  if (AfxHtmlEngineAvailable() && IsPageReachable() && CreateBrowser())
    Navigate(m_strCurrentUrl);
  else
    FallBack();
  return TRUE;
}

bool CDHtmlDialog::CreateBrowser() {
  m_pSite = new CDHtmlSite(this);
  if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(m_object.Out()))))
    return false;
  if (FAILED(m_object->SetClientSite(static_cast<IOleClientSite*>(m_pSite)))) return false;
  RECT client;
  GetClientRect(&client);
  if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_pSite), 0, m_hWnd,
                              &client)))
    return false;
  if (FAILED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(m_inPlace.Out())))) return false;
  if (FAILED(m_object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(m_browser.Out())))) return false;
  // Without its events a failed load goes unnoticed, but the page still shows.
  ComRef<IConnectionPointContainer> points;
  if (SUCCEEDED(m_browser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(points.Out()))) &&
      SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, m_events.Out())) &&
      FAILED(m_events->Advise(static_cast<IDispatch*>(m_pSite), &m_eventsCookie)))
    m_events.Reset();
  return true;
}

void CDHtmlDialog::DestroyBrowser() {
  if (m_events) {
    m_events->Unadvise(m_eventsCookie);
    m_events.Reset();
    m_eventsCookie = 0;
  }
  m_browser.Reset();
  m_inPlace.Reset();
  if (m_object) {
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
    m_object.Reset();
  }
  if (m_pSite) {
    m_pSite->Detach();
    m_pSite->Release();
    m_pSite = nullptr;
  }
}

void CDHtmlDialog::Navigate(LPCSTR lpszURL) {
  m_strCurrentUrl = lpszURL ? lpszURL : "";
  if (!m_browser) return;
  CComBstr url(m_strCurrentUrl);
  VARIANT empty;
  ::VariantInit(&empty);
  m_browser->Navigate(url.Get(), &empty, &empty, &empty, &empty);
}

void CDHtmlDialog::OnNavigateError() {
  // Inside the browser's own call: it is let go once that call has returned.
  if (m_hWnd) PostMessage(kPageFailed);
}

LRESULT CDHtmlDialog::OnPageFailed(WPARAM, LPARAM) {
  FallBack();
  return 0;
}

void CDHtmlDialog::FallBack() {
  if (m_bFellBack) return;  // once a run
  m_bFellBack = true;
  DestroyBrowser();
  OnBrowserUnavailable();
}

void CDHtmlDialog::FitBrowser() {
  if (!m_inPlace || !m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  m_inPlace->SetObjectRects(&client, &client);
}

void CDHtmlDialog::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  FitBrowser();
}

void CDHtmlDialog::OnDestroy() {
  DestroyBrowser();
  CDialog::OnDestroy();
}

BOOL CDHtmlDialog::PreTranslateMessage(MSG* pMsg) {
  // Keys for the page first (Tab between its fields, Enter in its forms).
  if (m_object && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    ComRef<IOleInPlaceActiveObject> active;
    if (SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(active.Out()))) &&
        active->TranslateAccelerator(pMsg) == S_OK)
      return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}
