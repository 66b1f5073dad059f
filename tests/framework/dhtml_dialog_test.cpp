#include <gtest/gtest.h>

#include "framework/dhtml_dialog.h"
#include "framework/dhtml_site.h"
#include "framework/scripted_ui.h"
#include "test_ids.h"
#include "test_support.h"

namespace {
// An HTML dialog that records whether it had to do without a browser.
class CPageDialog : public CDHtmlDialog {
 public:
  CPageDialog() : CDHtmlDialog(IDD_EXCHANGE) {}
  BOOL allowExternal = FALSE;
  int unavailable = 0;
  BOOL CanAccessExternal() override { return allowExternal; }

 protected:
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
