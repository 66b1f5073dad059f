#include "app/support/EditorFrameFixture.h"

#include <algorithm>

#include "app/resource.h"
#include "app/shell/ChildView.h"
#include "app/shell/DemoDoc.h"
#include "crop/MouseInput.h"
#include "document/pages/PaginaTreeNode.h"

namespace {
const char kSettings[] = "Program Settings";
}

EditorFrameTest::EditorFrameTest() { app.SetRegistryKey("Velmora"); }

void EditorFrameTest::SetUp() {
  m_template = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CMainFrame),
                                      RUNTIME_CLASS(CChildView));
  ASSERT_NE(m_template->OpenDocumentFile(nullptr, FALSE), nullptr);
  frame = static_cast<CMainFrame*>(app.m_pMainWnd);
  ASSERT_NE(frame, nullptr);
}

void EditorFrameTest::TearDown() {
  // The frame stops its loaders before the album goes with it.
  if (frame && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
  app.m_pMainWnd = nullptr;
  delete m_template;
  input::Flush();
  for (const std::string& name : m_settings) app.WriteProfileString(kSettings, name.c_str(), nullptr);
}

void EditorFrameTest::Menu(UINT id) {
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
  input::Flush();
}

std::vector<AfxUiQuestion> EditorFrameTest::Asked() const {
  std::vector<AfxUiQuestion> asked;
  for (const AfxUiQuestion& q : ui.Questions())
    if (q.caption != "Immagini non disponibili") asked.push_back(q);
  return asked;
}

void EditorFrameTest::Setting(const char* name, const char* value) {
  if (std::find(m_settings.begin(), m_settings.end(), name) == m_settings.end()) m_settings.emplace_back(name);
  app.WriteProfileString(kSettings, name, value);
}

TempFolder& EditorFrameTest::Temp() {
  if (!m_temp) m_temp = std::make_unique<TempFolder>();
  return *m_temp;
}

SampleAlbum& EditorFrameTest::Sample() {
  if (!m_sample) m_sample = std::make_unique<SampleAlbum>(Temp().Path());
  return *m_sample;
}

void EditorFrameTest::OpenSample() {
  ui.AnswerFiles({Sample().ProjectPath().c_str()});
  Menu(ID_ALBUM_OPEN);
  ASSERT_NE(frame->GetAlbum(), nullptr);
}

treeNode::CPaginaTreeNode* EditorFrameTest::SelectPhotoA() {
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  if (!page) return nullptr;
  page->SelectAll(false);
  page->GetChild(0)->SetSelected(true);
  return page;
}

const char EditorFrameTest::kMissingEditor[] = "programma_che_non_esiste.exe";

void EditorFrameTest::EditOutside(bool keepOriginal, bool editorStarts) {
  frame->SetExtAppCmdLine(editorStarts ? "cmd.exe /c rem \"%s\"" : (kMissingEditor + std::string(" \"%s\"")).c_str());
  ui.AnswerMessage(keepOriginal ? IDYES : IDNO);  // "Vuoi mantenere l'immagine originale?"
  if (!editorStarts) ui.AnswerMessage(IDOK);       // the editor cannot be started
  Menu(ID_EDIT_IMAGE_EXTERNAL);
}
