// The main frame's side of the album and editing commands: the album it
// holds, its view, title and settings, as the command targets ask for them.
#include "app/dialogs/DatiSposalboDlg.h"
#include "app/shell/ChildView.h"
#include "app/shell/MainFrm.h"
#include "app/shell/SposalboApp.h"
#include "app/surface/PageStatic.h"
#include "document/SposalboDoc.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/services/CryptoEngine.h"
#include "render/PictureCache.h"

namespace {
const char kSettings[] = "Program Settings";
}

bool CMainFrame::QueryCloseAlbum() { return m_albumCommands.QueryCloseAlbum(); }

void CMainFrame::SetAlbum(std::unique_ptr<CSposalboDoc> album) {
  m_album = std::move(album);
  // The pictures of an album closed go with it: its files may change before
  // it is opened again.
  if (!m_album) PictureCache::Instance().ReleaseUnused();
  if (m_album) LayoutPageStatic();
  RefreshTitle();
}

CD3DObj* CMainFrame::GetPageView() { return GetPageSurface(); }

void CMainFrame::ClearPageSurface() {
  if (CSposalboPageStatic* surface = GetPageSurface()) surface->ClearSurface();
}

void CMainFrame::ShowCurrentPage() {
  if (CSposalboPageStatic* surface = GetPageSurface()) surface->Render();
}


void CMainFrame::ShowRemadePhotos(const std::vector<std::string>& names) {
  if (!m_album || names.empty()) return;
  for (const std::string& name : names)
    m_lists.photos.RefreshThumbnail(name.c_str(), GetResourceFolder(0, true, name, false).c_str());
  // The page drops its pictures and reads the new copies; the page bar draws
  // every page again from them.
  if (treeNode::CPaginaTreeNode* page = GetCurrentPage()) {
    page->ReleaseResources();
    page->SetNeedsRefresh(true);
  }
  RebuildPageList();
}

void CMainFrame::HoldClose(bool hold) {
  if (hold) {
    ++m_closeHolds;
    return;
  }
  if (--m_closeHolds > 0 || !m_closeHeld) return;
  m_closeHeld = false;
  // Posted: the frame closes once the command holding it has returned, not
  // under its feet.
  if (m_hWnd) PostMessage(WM_CLOSE);
}

void CMainFrame::OnClose() {
  // The taskbar, the task list or the session's end reach the frame even
  // while it is disabled.
  if (m_closeHolds > 0) {
    m_closeHeld = true;
    return;
  }
  CSkinFrameWnd::OnClose();
}

LRESULT CMainFrame::OnQueryEndSession(WPARAM, LPARAM) {
  if (m_closeHolds == 0) return Default();
  // Ending now would cut short the files being written; the program closes
  // as soon as the work is done.
  m_closeHeld = true;
  return FALSE;
}

void CMainFrame::SetDocumentTitle(const std::string& title) {
  if (CDocument* doc = GetActiveDocument()) doc->SetTitle(title.c_str());
  RefreshTitle();
}

void CMainFrame::UpdateBarsNow() {
  // The pass the application's idle time makes: the frame (and its floating
  // bars), then the bars docked in it.
  if (!m_hWnd) return;
  SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

std::string CMainFrame::GetTemplateFolder() {
  return ReadSetting("Template Path").empty() ? (CSposalboApp::GetProgramFolder() + "template\\").str()
                                              : ReadSetting("Template Path");
}

std::string CMainFrame::ReadSetting(const char* name) {
  CWinApp* app = AfxGetApp();
  return app ? app->GetProfileString(kSettings, name, "").str() : std::string();
}

void CMainFrame::WriteSetting(const char* name, const std::string& value) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileString(kSettings, name, value.c_str());
}

INT_PTR CMainFrame::RunWeddingData() {
  if (!m_album || !m_weddingData) return IDCANCEL;
  m_weddingScript->LoadParams(m_album->GetRoot()->GetDati());
  return m_weddingData->DoModalWithDispatch(m_weddingScript.get());
}

CCryptoEngine& CMainFrame::GetSeal() {
  // The application's engine, which read the laboratory's key at start-up; a
  // frame without the editor's application (a test) has one of its own.
  if (auto* app = dynamic_cast<CSposalboApp*>(AfxGetApp())) return app->GetCryptoEngine();
  static CCryptoEngine seal;
  static const bool ready = seal.AcquireContext() &&
                            seal.ImportPublicKey(CSposalboApp::GetProgramFolder() + "public.key");
  (void)ready;
  return seal;
}

EditContext CMainFrame::MakeEditContext() {
  EditContext context;
  context.album = m_album.get();
  context.view = GetPageSurface();
  context.keepAspect = (::GetAsyncKeyState(VK_SHIFT) & 0x8000) == 0;
  context.setToolMode = [this](int mode) { m_toolMode = mode; };
  context.toggleRulers = [this]() { ToggleRulers(); };
  context.crop = [this](treeNode::CTreeNode* photo) {
    if (CSposalboPageStatic* surface = GetPageSurface())
      surface->CropPhoto(dynamic_cast<treeNode::CImgTreeNode*>(photo));
  };
  return context;
}
