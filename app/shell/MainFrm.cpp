#include "app/shell/MainFrm.h"

#include "app/dialogs/DlgImgColor.h"
#include "app/dialogs/TestoDialog.h"
#include "app/menus/MenuIcons.h"
#include "ui/frames/docking/SkinDockBar.h"
#include "app/resource.h"
#include "app/shell/ChildView.h"
#include "app/dialogs/DatiSposalboDlg.h"
#include "app/shell/SposalboApp.h"
#include "app/shell/StatusPanes.h"
#include "crop/CropDlg.h"
#include "document/SposalboDoc.h"
#include "app/dialogs/FontListFile.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/services/FileWatch.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/ExternalApp.h"

IMPLEMENT_DYNCREATE(CMainFrame, CSkinFrameWnd)

namespace {
// "FileWatchNotify", posted by the file watch with the watch id.
const UINT g_fileWatchMessage = GetFileWatchMessage();
}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CSkinFrameWnd)
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
  ON_WM_SIZING()
  ON_WM_EXITSIZEMOVE()
  ON_WM_SETFOCUS()
  ON_WM_MOUSEWHEEL()
  ON_WM_CREATE()
  ON_MESSAGE(WM_PINBAR_AUTOHIDE, OnPinBarAutoHide)
  ON_REGISTERED_MESSAGE(g_fileWatchMessage, OnFileWatchNotify)
  ON_WM_TIMER()
  ON_WM_ACTIVATEAPP()
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_PAGE, OnUpdatePagePane)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_SIZE, OnUpdateSizePane)
END_MESSAGE_MAP()

namespace {
const char kSettings[] = "Program Settings";
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_PAGE, ID_INDICATOR_SIZE,
                            ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
}  // namespace

CMainFrame::CMainFrame()
    : m_extAppCmdLine(::GetExtAppCmdLine().str()),
      m_editCommands([this]() { return MakeEditContext(); },
                     [this]() { return ReadEditState(m_album.get(), GetPageView(), m_toolMode, m_rulers.AreRulersShown()); }) {
  CString pers = AfxGetApp() ? AfxGetApp()->GetProfileString(kSettings, "Pers Path", "") : CString();
  pers.Trim();
  m_customFolder = static_cast<const char*>(pers);
}

CMainFrame::~CMainFrame() {
  if (GetEditorFrame() == this) SetEditorFrame(nullptr);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  cs.lpszClass = AfxRegisterWndClass(0);
  return cs.lpszClass != nullptr;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  // From here on the surface, lists and nodes reach this frame.
  SetEditorFrame(this);
  if (m_rulers.CreateRulers(this, pContext)) {
    m_view = DYNAMIC_DOWNCAST(CChildView, m_rulers.GetPageView());
    if (m_view) {
      SetActiveView(m_view, FALSE);
      if (CDocument* doc = m_view->GetDocument()) doc->SetTitle("");
    }
    return TRUE;
  }
  if (m_rulers.m_hWnd) m_rulers.DestroyWindow();
  if (!CFrameWnd::OnCreateClient(lpcs, pContext)) return FALSE;
  m_view = DYNAMIC_DOWNCAST(CChildView, GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
  return TRUE;
}

void CMainFrame::ToggleRulers() { m_rulers.ShowRulers(!m_rulers.AreRulersShown()); }

void CMainFrame::OnDestroy() {
  // The loaders stop before the album they may be reading goes.
  m_lists.StopLoading();
  m_album.reset();
  if (GetEditorFrame() == this) SetEditorFrame(nullptr);
  CSkinFrameWnd::OnDestroy();
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (m_view && m_view->m_hWnd && m_view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (m_bars.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (m_albumCommands.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_editCommands.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::OnUpdateFrameTitle(BOOL) {
  if (m_album) {
    SetWindowText(m_album->GetTitle().c_str());
  } else {
    UpdateFrameTitleForDocument(nullptr);
  }
}

void CMainFrame::RefreshTitle() { OnUpdateFrameTitle(TRUE); }

void CMainFrame::OnUpdatePagePane(CCmdUI*) {
  // Written on the bar itself, as the pane's own text.
  const treeNode::CSposalboTreeNode* root = m_album ? m_album->GetRoot() : nullptr;
  const std::string text = root ? PagePaneText(true, root->GetCurrentPageIndex(), root->GetPageCount())
                                : PagePaneText(false, 0, 0);
  m_wndStatusBar.SetPaneText(m_wndStatusBar.CommandToIndex(ID_INDICATOR_PAGE), text.c_str());
  // The page bar marks the same page.
  m_lists.pages.FollowCurrentPage(root ? root->GetCurrentPageIndex() : -1);
}

void CMainFrame::OnUpdateSizePane(CCmdUI* pCmdUI) {
  const treeNode::CSposalboTreeNode* root = m_album ? m_album->GetRoot() : nullptr;
  pCmdUI->SetText((root ? SizePaneText(true, root->GetPageWidth(), root->GetPageHeight())
                        : SizePaneText(false, 0, 0)).c_str());
}

std::string CMainFrame::GetResourceFolder(int kind, bool lowRes, const std::string& name, bool personal) {
  const char* fallback = m_album ? m_album->GetFolder().c_str() : nullptr;
  CString folder;
  switch (kind) {
    case 0:
      return m_album ? m_album->GetResourceFolder(kind, lowRes, name, personal) : std::string();
    case 1:
      folder = personal ? GetCustomFramePath(lowRes, fallback) : GetFramePath(lowRes);
      break;
    case 2:
      folder = personal ? GetCustomEffectPath(lowRes, fallback) : GetEffectPath(lowRes);
      break;
    case 3:
      folder = personal ? GetCustomImagePath(lowRes, fallback) : GetImagePath(lowRes);
      break;
    default:
      return name;
  }
  return std::string(static_cast<const char*>(folder)) + name;
}

CString CMainFrame::LibraryPath(const char* value, const char* folder, bool low) {
  CString path = AfxGetApp()->GetProfileString(kSettings, value, CSposalboApp::GetProgramFolder() + folder);
  path += low ? "lowres\\" : "highres\\";
  return path;
}

CString CMainFrame::GetFramePath(bool low) { return LibraryPath("Frame Path", "frame\\", low); }
CString CMainFrame::GetEffectPath(bool low) { return LibraryPath("Effect Path", "effect\\", low); }
CString CMainFrame::GetImagePath(bool low) { return LibraryPath("Image Path", "image\\", low); }

CString CMainFrame::GetPageTemplatePath() {
  return AfxGetApp()->GetProfileString(kSettings, "PageTemplate Path",
                                       CSposalboApp::GetProgramFolder() + "PageTemplate\\");
}

CString CMainFrame::CustomPath(const char* kind, bool low, const char* fallback) {
  CString path = !m_customFolder.empty() ? CString(m_customFolder.c_str()) : CString(fallback ? fallback : "");
  path += "\\";
  path += kind;
  path += low ? "\\lowres\\" : "\\highres\\";
  return path;
}

CString CMainFrame::GetCustomFramePath(bool low, const char* fallback) { return CustomPath("frame", low, fallback); }
CString CMainFrame::GetCustomEffectPath(bool low, const char* fallback) { return CustomPath("effect", low, fallback); }
CString CMainFrame::GetCustomImagePath(bool low, const char* fallback) { return CustomPath("image", low, fallback); }

CString CMainFrame::GetCustomTemplateFolder() {
  if (m_customFolder.empty()) return CString();
  return CString(m_customFolder.c_str()) + "\\template\\";
}

bool CMainFrame::IsKeyDown(int virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

treeNode::CPaginaTreeNode* CMainFrame::GetCurrentPage() { return m_album ? m_album->GetCurrentPage() : nullptr; }

bool CMainFrame::ChooseColour(uint32_t initial, uint32_t& chosen) {
  static COLORREF custom[16] = {};
  CColorDialog dialog(initial, CC_FULLOPEN, this);
  dialog.m_cc.lpCustColors = custom;
  if (dialog.DoModal() != IDOK) return false;
  chosen = dialog.GetColor();
  return true;
}

void CMainFrame::EditSelectionColour() {
  CDlgImgColor dialog(this, [this]() { return GetCurrentPage(); }, [this](bool paused) { m_renderPaused = paused; });
  dialog.DoModal();
}

bool CMainFrame::EditText(std::string& text, LOGFONTA& font, COLORREF& colour) {
  return RunTextDialog(text, font, colour, false);
}

bool CMainFrame::EditNewText(std::string& text, LOGFONTA& font, COLORREF& colour) {
  return RunTextDialog(text, font, colour, true);
}

bool CMainFrame::RunTextDialog(std::string& text, LOGFONTA& font, COLORREF& colour, bool newText) {
  CTestoDialog dialog(this);
  dialog.SetText(text);
  if (font.lfFaceName[0]) {
    if (newText)
      dialog.m_lf = font;
    else
      dialog.SetTextFont(font);
  }
  dialog.m_cf.rgbColors = colour;
  if (dialog.DoModal() != IDOK) return false;
  text = dialog.GetText();
  font = dialog.m_lf;
  colour = dialog.m_cf.rgbColors;
  return true;
}

void CMainFrame::LayoutPageStatic() {
  if (m_view) m_view->LayoutPageStatic();
}

bool CMainFrame::IsLabFont(const std::string& faceName) { return m_fontNames.count(faceName) != 0; }

void CMainFrame::LoadFontList() {
  m_fontNames.clear();
  const std::string path = ReadSetting("Font list");
  if (path.empty()) return;
  for (const std::string& face : ReadFontList(path)) m_fontNames.emplace(face, face);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CSkinFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  // The toolbar "Strumenti" and the status bar, from the resource script.
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                 CBRS_SIZE_DYNAMIC) ||
      !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
    return -1;
  m_wndToolBar.SetWindowText("Strumenti");
  if (!m_styleCombo.Create(0x50200003, CRect(10, 10, 200, 100), &m_wndToolBar, CSposalboStyleCombo::kId))
    return -1;
  m_styleCombo.Fill();
  m_wndToolBar.InsertControl(-1, &m_styleCombo, 0);
  if (!m_wndStatusBar.Create(this) ||
      !m_wndStatusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]))
    return -1;
  m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
  // Auto-hide strips and dock bars on every side, the toolbar docked, then the
  // three docking bars, and the toolbar docked once more.
  if (!m_bars.EnableDocking(this, &EnableThemedDocking)) return -1;
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);
  if (!m_bars.CreateBars(this)) return -1;
  DockControlBar(&m_wndToolBar);
  m_DefaultMenu.LoadToolBarIcons(kMenuIconTable, kMenuIconTransparent);
  CollectResourceFolders(nullptr, false);
  if (m_lists.templates.m_hWnd) m_lists.templates.Fill(GetPageTemplatePath());
  LoadFontList();
  m_weddingData = std::make_unique<CDatiSposalboDlg>(this);
  m_weddingScript = std::make_unique<CIDispatchIEExt>(m_weddingData.get());
  return 0;
}

LRESULT CMainFrame::OnPinBarAutoHide(WPARAM, LPARAM lParam) { return m_bars.OnPinBarAutoHide(lParam); }

CSposalboPageStatic* CMainFrame::GetPageSurface() { return m_view ? &m_view->GetPageStatic() : nullptr; }

void CMainFrame::UpdateRulers(const RulerGeometry& geometry) {
  if (m_rulers.m_hWnd) m_rulers.UpdateRulers(geometry);
}

// The surface's zoom clicks are the menu's "Avanti" and "Indietro".
void CMainFrame::OnZoomIn() { m_editCommands.OnCmdMsg(ID_ZOOM_IN, CN_COMMAND, nullptr, nullptr); }

void CMainFrame::OnZoomOut() { m_editCommands.OnCmdMsg(ID_ZOOM_OUT, CN_COMMAND, nullptr, nullptr); }

void CMainFrame::OnEditImageExternal() { m_albumCommands.OnEditImageExternal(); }

bool CMainFrame::RunCropDialog(const std::string& photoPath, const CropStore& store) {
  CCropDlg dialog(this);
  if (dialog.EditImage(CString(photoPath.c_str())) != IDOK) return false;
  return store([&dialog](const CString& path, float& cropX, float& cropY, float& ratioH) {
    return dialog.SaveCrop(path, cropX, cropY, ratioH) != FALSE;
  });
}

void CMainFrame::OnSizing(UINT fwSide, LPRECT pRect) {
  CFrameWnd::OnSizing(fwSide, pRect);
  if (!m_sizing) {
    m_savedPause = m_renderPaused;
    m_sizing = true;
    m_renderPaused = true;
  }
}

void CMainFrame::OnExitSizeMove() {
  if (!m_sizing) return;
  m_sizing = false;
  m_renderPaused = m_savedPause;
  if (CSposalboPageStatic* surface = GetPageSurface()) {
    CRect rect;
    surface->GetClientRect(&rect);
    surface->ResetDevice(rect.Width(), rect.Height());
  }
}

void CMainFrame::OnSetFocus(CWnd*) {
  if (m_view && m_view->m_hWnd) m_view->SetFocus();
}

BOOL CMainFrame::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  if (CSposalboPageStatic* surface = GetPageSurface()) surface->OnMouseWheelZoom(nFlags, zDelta, pt);
  return TRUE;
}
