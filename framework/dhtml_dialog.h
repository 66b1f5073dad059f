#pragma once
// CDHtmlDialog: a dialog whose face is a web page, shown by the system's
// browser control in place over the whole client area. On opening it
// navigates to its current URL; the page's script reaches the dialog's
// external object (window.external) when the dialog allows it.
//
// Where the system cannot show the page (no HTML engine, the control cannot be
// made, the page is not there, or loading it fails) there is no browser, and
// OnBrowserUnavailable lets the dialog show something of its own instead.
#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>

#include "framework/dialog.h"
#include "framework/com_ref.h"

class CDHtmlSite;

class CDHtmlDialog : public CDialog {
  DECLARE_DYNAMIC(CDHtmlDialog)
 public:
  CDHtmlDialog();
  explicit CDHtmlDialog(UINT nIDTemplate, UINT nHtmlResID = 0, CWnd* pParentWnd = nullptr);
  ~CDHtmlDialog() override;

  // The page shown on opening.
  CString m_strCurrentUrl;

  // What the page's script reaches as its external object; one reference is
  // held while it is set.
  void SetExternalDispatch(IDispatch* pDispatch);
  IDispatch* GetExternalDispatch() const { return m_external.Get(); }
  // Whether the page's script may reach the external object at all; the
  // default refuses.
  virtual BOOL CanAccessExternal();

  void Navigate(LPCSTR lpszURL);
  // The browser control, null while none shows the page.
  IWebBrowser2* GetBrowser() const { return m_browser.Get(); }

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The browser could not load the page: called by the browser's events, it
  // lets the browser go and falls back once the event is over.
  void OnNavigateError();

 protected:
  // Whether the current URL can be loaded at all; a page known to be missing
  // is not handed to the browser. The default says yes.
  virtual BOOL IsPageReachable() { return TRUE; }
  // No browser can show the page here; the default shows nothing instead.
  virtual void OnBrowserUnavailable() {}
  afx_msg LRESULT OnPageFailed(WPARAM wParam, LPARAM lParam);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  friend class CDHtmlSite;
  bool CreateBrowser();
  void DestroyBrowser();
  void FitBrowser();
  // The browser goes and the dialog shows its own face, once a run.
  void FallBack();

  ComRef<IDispatch> m_external;
  CDHtmlSite* m_pSite = nullptr;  // one reference, let go with the browser
  ComRef<IOleObject> m_object;
  ComRef<IOleInPlaceObject> m_inPlace;
  ComRef<IWebBrowser2> m_browser;
  // The browser's events (DWebBrowserEvents2) reach the site through this.
  ComRef<IConnectionPoint> m_events;
  DWORD m_eventsCookie = 0;
  bool m_bFellBack = false;
};

// Whether the system can show HTML pages: its HTML document class can be made.
BOOL AfxHtmlEngineAvailable();
