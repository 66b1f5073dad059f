#include <gtest/gtest.h>

#include "framework/dhtml_dialog.h"
#include "framework/dhtml_site.h"

#include <exdispid.h>
#include "framework/scripted_ui.h"
#include "test_ids.h"
#include "test_support.h"

namespace {
// An HTML dialog that records whether it had to do without a browser.
class CPageDialog : public CDHtmlDialog {
 public:
  CPageDialog() : CDHtmlDialog(IDD_EXCHANGE) {}
  BOOL allowExternal = FALSE;
  BOOL reachable = TRUE;
  int unavailable = 0;
  BOOL CanAccessExternal() override { return allowExternal; }

 protected:
  BOOL IsPageReachable() override { return reachable; }
  void OnBrowserUnavailable() override { ++unavailable; }
};

// A dispatch that only counts its references.
class CCountingDispatch : public IDispatch {
 public:
  LONG refs = 1;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
};
}  // namespace

TEST(DHtmlDialog, ShowsTheBrowserOrSaysThereIsNone) {
  CScriptedUi ui;
  CPageDialog dialog;
  dialog.m_strCurrentUrl = "about:blank";
  BOOL hadBrowser = FALSE;
  ui.AnswerModalWith([&](CWnd*) {
    hadBrowser = dialog.GetBrowser() != nullptr;
    dialog.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  // Exactly one of the two: a page shown, or the dialog told to do without.
  EXPECT_NE(hadBrowser, dialog.unavailable == 1);
  EXPECT_EQ(hadBrowser, AfxHtmlEngineAvailable());
  EXPECT_EQ(dialog.GetBrowser(), nullptr);  // let go with the window
}

TEST(DHtmlDialog, ThePageReachesTheExternalObjectOnlyWhenTheDialogAllowsIt) {
  CPageDialog dialog;
  CCountingDispatch external;
  dialog.SetExternalDispatch(&external);
  EXPECT_EQ(external.refs, 2);
  auto* site = new CDHtmlSite(&dialog);
  IDocHostUIHandler* host = nullptr;
  ASSERT_EQ(site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&host)), S_OK);
  IDispatch* got = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(host->GetExternal(&got), S_FALSE);
  EXPECT_EQ(got, nullptr);
  dialog.allowExternal = TRUE;
  ASSERT_EQ(host->GetExternal(&got), S_OK);
  EXPECT_EQ(got, &external);
  EXPECT_EQ(external.refs, 3);
  got->Release();
  DOCHOSTUIINFO info{sizeof info, 0xFFFF, 7, nullptr, nullptr};
  EXPECT_EQ(host->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, 0u);  // no extra host flags
  // A site outliving its dialog answers as if there were none.
  site->Detach();
  EXPECT_EQ(host->GetExternal(&got), S_FALSE);
  host->Release();
  site->Release();
  dialog.SetExternalDispatch(nullptr);
  EXPECT_EQ(external.refs, 1);
}

TEST(DHtmlDialog, APageThatIsNotThereIsNotHandedToABrowser) {
  CScriptedUi ui;
  CPageDialog dialog;
  dialog.m_strCurrentUrl = "about:blank";
  dialog.reachable = FALSE;
  ui.AnswerModalWith([&](CWnd*) {
    EXPECT_EQ(dialog.GetBrowser(), nullptr);
    dialog.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.unavailable, 1);
}

namespace {
// A dialog showing its page as far as it knows: it made no choice at opening.
class CShownPageDialog : public CPageDialog {
 public:
  BOOL OnInitDialog() override { return CDialog::OnInitDialog(); }
};
}  // namespace

TEST(DHtmlDialog, APageThatFailsToLoadMakesTheDialogDoWithout) {
  CScriptedUi ui;
  CShownPageDialog dialog;
  ui.AnswerModalWith([&](CWnd*) {
    // The browser's events, as they reach the dialog's site.
    auto* site = new CDHtmlSite(&dialog);
    IDispatch* events = nullptr;
    ASSERT_EQ(site->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&events)), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    for (DISPID event : {DISPID_NAVIGATECOMPLETE2, DISPID_NAVIGATEERROR, DISPID_NAVIGATEERROR})
      EXPECT_EQ(events->Invoke(event, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(dialog.unavailable, 0) << "not inside the browser's own call";
    events->Release();
    site->Release();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    EXPECT_EQ(dialog.unavailable, 1) << "once, however often it is said";
    dialog.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
}
