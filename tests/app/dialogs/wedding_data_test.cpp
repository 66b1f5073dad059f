// The wedding-data page: its script object called directly and by real script
// (the system's JScript engine running the page's own script), and the dialog
// run modally, here on its native stand-in since no HTML engine is installed.
#include <gtest/gtest.h>

#include <activscp.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/dialogs/CodePageText.h"
#include "app/dialogs/DatiSposalboDlg.h"
#include "app/dialogs/DialogDriving.h"
#include "app/dialogs/IDispatchIEExt.h"
#include "app/dialogs/PageFields.h"
#include "app/dialogs/ScriptCall.h"
#include "app/shell/SposalboApp.h"
#include "app/support/HandInput.h"
#include "app/support/SourceTree.h"
#include "crop/WindowCapture.h"
#include "document/nodes/DatiTreeNode.h"
#include "framework/scripted_ui.h"

namespace {
// The page as shipped.
std::string PagePath() { return SourceTreePath("dist\\html\\data.html"); }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Records what the script object asks of its dialog.
struct FakeDialog : IScriptDialogActions {
  int confirms = 0, cancels = 0;
  std::vector<std::pair<int, int>> sizes;
  void ScriptConfirm() override { ++confirms; }
  void ScriptCancel() override { ++cancels; }
  void ScriptResize(int w, int h) override { sizes.emplace_back(w, h); }
};

std::vector<std::pair<std::string, std::string>> Variables(treeNode::CDatiTreeNode& dati) {
  std::vector<std::pair<std::string, std::string>> out;
  for (size_t i = 0; i < dati.GetChildCount(); ++i) {
    auto* v = static_cast<treeNode::CVariabileTreeNode*>(dati.GetChild(i));
    out.emplace_back(v->GetName(), v->GetValore());
  }
  return out;
}

VARIANT Text(const wchar_t* s) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = const_cast<BSTR>(s);  // read only by the callee
  return v;
}
VARIANT Number(int n) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}
VARIANT Of(VARTYPE type) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = type;
  return v;
}

// An album's data node with two variables, and the script object over it.
// The dialog over its own script object holding the album's data, on the
// program's page (shown as the native stand-in where the system has no page).
struct StandIn {
  explicit StandIn(treeNode::CDatiTreeNode& dati) : pageScript(&dialog) {
    pageScript.LoadParams(&dati);
    dialog.m_strCurrentUrl = PagePath().c_str();
  }
  CDatiSposalboDlg dialog;
  CIDispatchIEExt pageScript;
};

class WeddingDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dati.AddVariable("sposo", "Marco");
    dati.AddVariable("extra", "42");
    script.LoadParams(&dati);
  }
  // A call with arguments in the script's order (reversed into the array).
  HRESULT Call(DISPID id, std::vector<VARIANT> args, VARIANT* result = nullptr, WORD flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    UINT argErr = 99;
    return script.Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, &argErr);
  }
  std::string Get(const char* name) {
    auto it = script.GetParams().find(name);
    return it == script.GetParams().end() ? "<none>" : it->second;
  }
  treeNode::CDatiTreeNode dati{nullptr};
  FakeDialog actions;
  CIDispatchIEExt script{&actions};
};
}  // namespace

TEST_F(WeddingDataTest, NamesResolveCaseSensitivelyAndUnknownOnesAreMarked) {
  const wchar_t* names[] = {L"SPAB_GetParam", L"spab_getparam", L"SPAB_Resize", L"SPAB_Cancel", L"x"};
  DISPID ids[5] = {};
  EXPECT_EQ(script.GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names), 5, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(std::vector<DISPID>(ids, ids + 5), (std::vector<DISPID>{1, DISPID_UNKNOWN, 5, 4, DISPID_UNKNOWN}));
  const wchar_t* known[] = {L"SPAB_SetParam", L"SPAB_Confirm"};
  EXPECT_EQ(script.GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(known), 2, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 2);
  EXPECT_EQ(ids[1], 3);
}

TEST_F(WeddingDataTest, CallsCheckTheirArgumentsBeforeActing) {
  const struct {
    const char* name;
    DISPID id;
    std::vector<VARIANT> args;
    WORD flags;
    HRESULT result;
  } cases[] = {
      {"set", 2, {Text(L"sposa"), Text(L"Giulia")}, DISPATCH_METHOD, S_OK},
      {"set replaces", 2, {Text(L"sposo"), Text(L"Luca")}, DISPATCH_METHOD, S_OK},
      {"set a number as text", 2, {Text(L"anni"), Number(30)}, DISPATCH_METHOD, S_OK},
      {"set a null string as empty", 2, {Text(nullptr), Text(nullptr)}, DISPATCH_METHOD, S_OK},
      {"set with one argument", 2, {Text(L"sposa")}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
      {"set without arguments", 2, {}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
      {"set a null value", 2, {Text(L"chiesa"), Of(VT_NULL)}, DISPATCH_METHOD, DISP_E_TYPEMISMATCH},
      {"set without the method flag", 2, {Text(L"chiesa"), Text(L"Duomo")}, DISPATCH_PROPERTYGET, S_OK},
      {"unknown id", 9, {Text(L"chiesa")}, DISPATCH_METHOD, S_OK},
      {"resize", 5, {Number(400), Text(L"300")}, DISPATCH_METHOD, S_OK},
      {"resize by text that is no number", 5, {Text(L"largo"), Number(300)}, DISPATCH_METHOD, DISP_E_TYPEMISMATCH},
      {"resize to nothing", 5, {Number(0), Number(300)}, DISPATCH_METHOD, E_INVALIDARG},
      {"resize beyond any screen", 5, {Number(400), Number(1000000)}, DISPATCH_METHOD, E_INVALIDARG},
      {"resize with one argument", 5, {Number(400)}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
      {"get with nowhere to put the value", 1, {Text(L"sposo")}, DISPATCH_METHOD, S_OK},
      {"get without a name", 1, {}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
  };
  for (const auto& c : cases) EXPECT_EQ(Call(c.id, c.args, nullptr, c.flags), c.result) << c.name;
  EXPECT_EQ(Get("sposa"), "Giulia");
  EXPECT_EQ(Get("sposo"), "Luca");
  EXPECT_EQ(Get("anni"), "30");
  EXPECT_EQ(Get(""), "");
  EXPECT_EQ(Get("chiesa"), "<none>");
  EXPECT_EQ(actions.sizes, (std::vector<std::pair<int, int>>{{400, 300}}));
  EXPECT_EQ(actions.confirms + actions.cancels, 0);
}

TEST_F(WeddingDataTest, ConfirmStoresTheMapInNameOrderAndCancelLeavesTheAlbum) {
  dati.AddVariable("sposo", "Piero");  // a later variable of the same name wins
  script.LoadParams(&dati);
  EXPECT_EQ(Get("sposo"), "Piero");
  CScriptCall().Arg("data").Arg(" 12 giugno ").Invoke(&script, "SPAB_SetParam");
  CScriptCall().Arg("").Arg("lost").Invoke(&script, "SPAB_SetParam");
  EXPECT_EQ(Get(""), "lost");  // kept in the map ...
  CScriptCall().Invoke(&script, "SPAB_Cancel");
  EXPECT_EQ(actions.cancels, 1);
  EXPECT_EQ(Variables(dati).size(), 3u);  // the album as it was
  script.LoadParams(&dati);  // the next run starts from the album again
  EXPECT_EQ(Get("data"), "<none>");
  CScriptCall().Arg("data").Arg(" 12 giugno ").Invoke(&script, "SPAB_SetParam");
  CScriptCall().Arg("").Arg("lost").Invoke(&script, "SPAB_SetParam");
  CScriptCall().Invoke(&script, "SPAB_Confirm");
  EXPECT_EQ(actions.confirms, 1);
  // ... but dropped when stored; names ascending, values trimmed.
  EXPECT_EQ(Variables(dati), (std::vector<std::pair<std::string, std::string>>{
                                 {"data", "12 giugno"}, {"extra", "42"}, {"sposo", "Piero"}}));
}

TEST_F(WeddingDataTest, ReferencesAreCountedButTheLastOneDoesNotDeleteTheObject) {
  IDispatch* d = nullptr;
  ASSERT_EQ(script.QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)), S_OK);
  EXPECT_EQ(d, &script);
  IUnknown* u = nullptr;
  ASSERT_EQ(script.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&u)), S_OK);
  EXPECT_EQ(script.GetRefCount(), 2);
  void* other = &script;
  EXPECT_EQ(script.QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(u->Release(), 1u);
  EXPECT_EQ(d->Release(), 0u);
  EXPECT_EQ(script.Release(), 0u);  // never below nothing
  EXPECT_EQ(Call(2, {Text(L"ancora"), Text(L"vivo")}), S_OK);
  UINT count = 7;
  EXPECT_EQ(script.GetTypeInfoCount(&count), E_NOTIMPL);
}

namespace {
// Blocks in use on the process heap, where the task allocator (and with it
// every automation string) takes its memory.
long BusyHeapBlocks() {
  HANDLE heap = ::GetProcessHeap();
  long busy = 0;
  ::HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  while (::HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
  ::HeapUnlock(heap);
  return busy;
}
}  // namespace

TEST_F(WeddingDataTest, CallsLeaveNoStringBehind) {
  std::vector<VARIANT> kept;
  kept.reserve(100);
  auto rounds = [&](int n, bool keep) {
    const long before = BusyHeapBlocks();
    for (int i = 0; i < n; ++i) {
      VARIANT result = Of(VT_EMPTY);
      CScriptCall().Arg("sposo").Invoke(&script, "SPAB_GetParam", &result);
      if (keep) kept.push_back(result); else ::VariantClear(&result);
      CScriptCall().Arg("sposa").Arg(i).Invoke(&script, "SPAB_SetParam");
      CScriptCall().Arg(400).Arg("300").Invoke(&script, "SPAB_Resize");
    }
    return BusyHeapBlocks() - before;
  };
  // The count sees strings at all: a result kept shows as one per call ...
  EXPECT_GE(rounds(100, true), 90);
  for (VARIANT& v : kept) ::VariantClear(&v);
  // ... and the calls themselves leave none (a few may wait in a cache).
  EXPECT_LT(rounds(100, false), 10);
}

namespace {
// The system's JScript engine with the script object as "external".
class CScriptHost : public IActiveScriptSite {
 public:
  explicit CScriptHost(IDispatch* external) : m_external(external) {}
  std::wstring error;
  // Runs the text; false (with error set) when it does not compile or throws.
  bool Run(const std::string& code) {
    CLSID jscript;
    ::CLSIDFromString(L"{f414c260-6ac0-11cf-b6d1-00aa00bbbb58}", &jscript);
    IActiveScript* engine = nullptr;
    if (FAILED(::CoCreateInstance(jscript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                                  reinterpret_cast<void**>(&engine)))) {
      error = L"no JScript engine";
      return false;
    }
    IActiveScriptParse32* parse = nullptr;
    engine->QueryInterface(__uuidof(IActiveScriptParse32), reinterpret_cast<void**>(&parse));
    engine->SetScriptSite(this);
    parse->InitNew();
    engine->AddNamedItem(L"external", SCRIPTITEM_ISVISIBLE);
    engine->SetScriptState(SCRIPTSTATE_STARTED);
    std::wstring wide(code.begin(), code.end());
    EXCEPINFO info{};
    HRESULT hr = parse->ParseScriptText(wide.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, &info);
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    engine->Close();
    parse->Release();
    engine->Release();
    return SUCCEEDED(hr) && error.empty();
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    *ppv = (riid == IID_IUnknown || riid == IID_IActiveScriptSite) ? this : nullptr;
    return *ppv ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetLCID(LCID*) override { return E_NOTIMPL; }
  STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** unknown, ITypeInfo** info) override {
    if (info) *info = nullptr;
    if (!(mask & SCRIPTINFO_IUNKNOWN) || std::wstring(name) != L"external") return TYPE_E_ELEMENTNOTFOUND;
    *unknown = m_external;
    m_external->AddRef();
    return S_OK;
  }
  STDMETHODIMP GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
  STDMETHODIMP OnStateChange(SCRIPTSTATE) override { return S_OK; }
  STDMETHODIMP OnScriptError(IActiveScriptError* e) override {
    EXCEPINFO info{};
    e->GetExceptionInfo(&info);
    error = info.bstrDescription ? info.bstrDescription : L"script error";
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    return S_OK;
  }
  STDMETHODIMP OnEnterScript() override { return S_OK; }
  STDMETHODIMP OnLeaveScript() override { return S_OK; }

 private:
  IDispatch* m_external;
};

// The script part of the shipped page.
std::string PageScript() {
  const std::string html = ReadAll(PagePath());
  const size_t open = html.find("<script");
  const size_t start = html.find('>', open) + 1;
  return html.substr(start, html.find("</script>", start) - start);
}

// A page of fields for the page's functions: getElementById gives an object
// with a value, made on first use.
const char kFakePage[] =
    "var campi = {};\n"
    "var finta = { getElementById: function (id) { if (!campi[id]) campi[id] = { value: '?' }; return campi[id]; } };\n"
    "var document = finta;\n";
}  // namespace

TEST_F(WeddingDataTest, ThePagesOwnScriptReadsSetsConfirmsAndCancels) {
  ::CoInitialize(nullptr);
  CScriptHost host(&script);
  // Filled from the album, changed, handed back; a value replaced; reads.
  ASSERT_TRUE(host.Run(PageScript() + kFakePage +
                       "caricaDati(finta);\n"
                       "external.SPAB_SetParam('letto', campi['sposo'].value + '|' + campi['sposa'].value);\n"
                       "campi['sposa'].value = 'Giulia';\n"
                       "campi['note'].value = 'prima riga\\nseconda riga';\n"
                       "salvaDati(finta);\n"
                       "external.SPAB_SetParam('data', '12 giugno');\n"
                       "external.SPAB_SetParam('data', '13 giugno');\n"
                       "external.SPAB_SetParam('riletto', external.SPAB_GetParam('data') + '|' +\n"
                       "                      (external.SPAB_GetParam('manca') === null));\n"))
      << std::string(host.error.begin(), host.error.end());
  EXPECT_EQ(Get("letto"), "Marco|");
  EXPECT_EQ(Get("sposa"), "Giulia");
  EXPECT_EQ(Get("note"), "prima riga\nseconda riga");
  EXPECT_EQ(Get("riletto"), "13 giugno|true");
  EXPECT_TRUE(actions.sizes.empty());  // no window: the page's loading code does not run here

  ASSERT_TRUE(host.Run(PageScript() + "annullaDati();"));
  EXPECT_EQ(actions.cancels, 1);
  EXPECT_EQ(Variables(dati).size(), 2u);
  ASSERT_TRUE(host.Run(PageScript() + kFakePage + "caricaDati(finta); campi['chiesa'].value = 'Duomo'; confermaDati();"));
  EXPECT_EQ(actions.confirms, 1);
  auto stored = Variables(dati);
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(stored.front().first, "chiesa");  // ascending names
  EXPECT_EQ(stored.front().second, "Duomo");
  // A script calling with too few arguments gets an error, not a crash.
  EXPECT_FALSE(host.Run("external.SPAB_SetParam('solo');"));
  ::CoUninitialize();
}

TEST(WeddingPage, FieldsAreReadFromThePageWithTheirLabels) {
  std::vector<PageField> fields = ReadPageFields(ReadAll(PagePath()));
  std::vector<std::string> names;
  for (const PageField& f : fields) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"sposa", "sposo", "data", "chiesa", "ricevimento", "note"}));
  // The fields offered where no page can be read are the shipped page's own.
  const std::vector<PageField> standard = StandardPageFields();
  ASSERT_EQ(standard.size(), fields.size());
  for (size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(standard[i].name, fields[i].name);
    EXPECT_EQ(standard[i].label, fields[i].label);
    EXPECT_EQ(standard[i].multiline, fields[i].multiline);
  }
  EXPECT_EQ(fields[2].label, "Data del matrimonio");
  EXPECT_TRUE(fields[5].multiline);
  std::vector<PageField> odd = ReadPageFields(
      "<label for=a>Prima &amp; <b>seconda</b></label><input id=a name='uno'><input type=button name=b>"
      "<input type=\"hidden\" name=\"c\"><select name=scelta></select><input name='uno'>");
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[0].label, "Prima & seconda");
  EXPECT_EQ(odd[1].name, "scelta");
  EXPECT_EQ(LocalPathOfUrl("file:///C:/Programmi/html/dati%20sposi.html"), "C:\\Programmi\\html\\dati sposi.html");
  EXPECT_EQ(LocalPathOfUrl("http://laboratorio.example/dati.html"), "");
  EXPECT_EQ(LocalPathOfUrl("C:\\Lumivo\\html\\data.html"), "C:\\Lumivo\\html\\data.html");
}

TEST(WeddingPage, WithoutAProfileValueThePageIsBesideTheProgram) {
  CDatiSposalboDlg dialog;
  EXPECT_STREQ(dialog.m_strCurrentUrl, CSposalboApp::GetProgramFolder() + "html\\data.html");
}

TEST_F(WeddingDataTest, TheDialogShowsItsNativeStandInOverTheSameScriptObject) {
  if (AfxHtmlEngineAvailable()) GTEST_SKIP() << "the system shows the page itself";
  CScriptedUi ui;
  StandIn standIn(dati);
  CDatiSposalboDlg& dialog = standIn.dialog;
  CIDispatchIEExt& pageScript = standIn.pageScript;
  ui.AnswerModalWith([&](CWnd* wnd) {
    EXPECT_TRUE(dialog.IsStandInShown());
    // Centred once it has taken the form's size (no owner here: on the screen).
    CRect placed, area;
    wnd->GetWindowRect(&placed);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR(placed.CenterPoint().y, area.CenterPoint().y, 1);
    EXPECT_NEAR(placed.CenterPoint().x, area.CenterPoint().x, 1);
    EXPECT_TRUE(wnd->GetStyle() & WS_THICKFRAME);
    // The page's six fields, then the album's other variable.
    EXPECT_STREQ(dialog_test::TextOf(wnd, CDatiStandIn::kFirstEditId + 1), "Marco");
    EXPECT_STREQ(dialog_test::TextOf(wnd, CDatiStandIn::kFirstEditId + 6), "42");
    EXPECT_EQ(wnd->GetDlgItem(CDatiStandIn::kFirstEditId + 7), nullptr);
    dialog_test::Type(wnd, CDatiStandIn::kFirstEditId, "Giulia");
    dialog_test::Type(wnd, CDatiStandIn::kFirstEditId + 5, "prima\r\nseconda");
    CaptureOnDemand(wnd->m_hWnd, "SPAB_DATI_SCREENSHOT");
    dialog_test::Click(wnd, IDOK);
  });
  ASSERT_EQ(dialog.DoModalWithDispatch(&pageScript), IDOK);
  auto stored = Variables(dati);
  ASSERT_EQ(stored.size(), 7u);
  EXPECT_EQ(stored[0], (std::pair<std::string, std::string>{"chiesa", ""}));
  EXPECT_EQ(stored[4], (std::pair<std::string, std::string>{"ricevimento", ""}));
  EXPECT_EQ(stored[5], (std::pair<std::string, std::string>{"sposa", "Giulia"}));
  EXPECT_EQ(stored[3], (std::pair<std::string, std::string>{"note", "prima\nseconda"}));  // the page's breaks

  // Esc: the album stays as it was.
  pageScript.LoadParams(&dati);
  ui.AnswerModalWith([&](CWnd* wnd) {
    dialog_test::Type(wnd, CDatiStandIn::kFirstEditId, "Anna");
    wnd->SendMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModalWithDispatch(&pageScript), IDCANCEL);
  EXPECT_EQ(Variables(dati), stored);

  // The same dialog for another album: only its own fields, none of the first's.
  treeNode::CDatiTreeNode other{nullptr};
  other.AddVariable("note", "riga uno\nriga due");
  pageScript.LoadParams(&other);
  ui.AnswerModalWith([&](CWnd* wnd) {
    EXPECT_EQ(dialog.GetStandIn().GetFieldCount(), 6u);
    EXPECT_STREQ(dialog_test::TextOf(wnd, CDatiStandIn::kFirstEditId + 5), "riga uno\r\nriga due");
    dialog_test::Click(wnd, IDOK);
  });
  ASSERT_EQ(dialog.DoModalWithDispatch(&pageScript), IDOK);
  const auto otherStored = Variables(other);
  EXPECT_EQ(otherStored.size(), 6u);
  for (const auto& v : otherStored) EXPECT_NE(v.first, "extra");

  // Letters the code page has no place for would be stored as look-alikes
  // and "?": OK names them, and the form stays open until they are corrected.
  pageScript.LoadParams(&dati);
  ui.Clear();
  bool stayed = false;
  ui.AnswerModalWith([&](CWnd* wnd) {
    ::SetWindowTextW(::GetDlgItem(wnd->m_hWnd, CDatiStandIn::kFirstEditId), L"\x039A\x03B1\x03BB\x03B7");
    ::SetWindowTextW(::GetDlgItem(wnd->m_hWnd, CDatiStandIn::kFirstEditId + 5), L"\x6C49 e\x00E8");
    dialog_test::Click(wnd, IDOK);
    stayed = ::IsWindow(wnd->m_hWnd) && dialog.IsStandInShown();
    dialog_test::Type(wnd, CDatiStandIn::kFirstEditId, "Anna");
    dialog_test::Type(wnd, CDatiStandIn::kFirstEditId + 5, "note");
    dialog_test::Click(wnd, IDOK);
  });
  ASSERT_EQ(dialog.DoModalWithDispatch(&pageScript), IDOK);
  EXPECT_TRUE(stayed);
  std::vector<CString> told;
  for (const AfxUiQuestion& q : ui.Questions())
    if (q.kind == CString("message")) told.push_back(q.text);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_STREQ(told[0],
               "Il campo \"note\" contiene caratteri che non possono essere salvati: carattere 1 (U+6C49).\n"
               "Il campo \"sposa\" contiene caratteri che non possono essere salvati: carattere 1 (U+039A), "
               "carattere 2 (U+03B1), carattere 3 (U+03BB), carattere 4 (U+03B7).\n"
               "Correggere il testo.");
  stored = Variables(dati);
  EXPECT_EQ(stored[5], (std::pair<std::string, std::string>{"sposa", "Anna"}));
  EXPECT_EQ(stored[3], (std::pair<std::string, std::string>{"note", "note"}));
}

TEST_F(WeddingDataTest, LettersTypedOnTheStandInArriveAsTypedAndAreNamed) {
  if (AfxHtmlEngineAvailable()) GTEST_SKIP() << "the system shows the page itself";
  CScriptedUi ui;
  StandIn standIn(dati);
  CDatiSposalboDlg& dialog = standIn.dialog;
  CIDispatchIEExt& pageScript = standIn.pageScript;
  std::atomic<HWND> form{nullptr}, bride{nullptr};
  ui.AnswerModalWith([&](CWnd* wnd) {
    wnd->SetForegroundWindow();
    bride = ::GetDlgItem(wnd->m_hWnd, CDatiStandIn::kFirstEditId);
    ::SetFocus(bride);
    form = wnd->m_hWnd;
  });
  INT_PTR result = 0;
  std::wstring shown;
  hand::PerformDuring([&] { result = dialog.DoModalWithDispatch(&pageScript); },
                      [&] {
                        if (hand::WaitUntil([&] { return form && hand::Ui().hwndFocus == bride; })) {
                          hand::Type(L"\x039A\x03B1\x03BB\x03B7\x03BC\x03AD\x03C1\x03B1");
                          shown = WideWindowText(bride);
                          hand::Keys({VK_RETURN});  // named: the form stays
                          hand::Keys({VK_ESCAPE});
                        }
                        if (::IsWindow(form)) ::PostMessageA(form, WM_COMMAND, IDCANCEL, 0);
                      });
  EXPECT_EQ(shown, L"\x039A\x03B1\x03BB\x03B7\x03BC\x03AD\x03C1\x03B1");
  EXPECT_EQ(result, IDCANCEL);
  std::vector<CString> told;
  for (const AfxUiQuestion& q : ui.Questions())
    if (q.kind == CString("message")) told.push_back(q.text);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].str().find("Il campo \"sposa\" contiene caratteri che non possono essere salvati: "
                                      "carattere 1 (U+039A), carattere 2 (U+03B1)"),
            std::string::npos)
      << told[0].str();
  EXPECT_EQ(Variables(dati), (std::vector<std::pair<std::string, std::string>>{{"sposo", "Marco"}, {"extra", "42"}}));
}

TEST_F(WeddingDataTest, WithoutItsPageTheStandInOffersTheUsualFieldsAndSaysWhy) {
  if (AfxHtmlEngineAvailable()) GTEST_SKIP() << "the system shows the page itself";
  CScriptedUi ui;
  CDatiSposalboDlg dialog;
  CIDispatchIEExt pageScript(&dialog);
  treeNode::CDatiTreeNode empty{nullptr};
  pageScript.LoadParams(&empty);
  dialog.m_strCurrentUrl = "C:\\nessuna\\cartella\\data.html";
  ui.AnswerModalWith([&](CWnd* wnd) {
    EXPECT_NE(dialog_test::TextOf(wnd, CDatiStandIn::kNoteId).Find("C:\\nessuna\\cartella\\data.html"), -1);
    EXPECT_EQ(dialog.GetStandIn().GetFieldCount(), StandardPageFields().size());
    dialog_test::Type(wnd, CDatiStandIn::kFirstEditId + 1, "Marco");
    dialog_test::Click(wnd, IDOK);
  });
  ASSERT_EQ(dialog.DoModalWithDispatch(&pageScript), IDOK);
  bool groom = false;
  for (const auto& v : Variables(empty)) groom |= v == std::pair<std::string, std::string>{"sposo", "Marco"};
  EXPECT_TRUE(groom);
}
