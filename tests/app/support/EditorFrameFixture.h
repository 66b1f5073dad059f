#pragma once
// The editor's real main frame, view and document, made from the program's
// template with the UI seam answering every question (and refusing what the
// test did not answer). The sample album is written on first use and opened
// through File > Open; profile values a test sets are removed again.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/shell/MainFrm.h"
#include "app/shell/SposalboApp.h"
#include "app/support/SampleAlbum.h"
#include "document/TempFolder.h"
#include "framework/scripted_ui.h"

namespace treeNode {
class CPaginaTreeNode;
}

class EditorFrameTest : public ::testing::Test {
 protected:
  EditorFrameTest();
  void SetUp() override;
  void TearDown() override;

  // A command as the menu sends it, then whatever it posted.
  void Menu(UINT id);
  // What the editor asked, less the notices of pictures it could not show:
  // the page bar draws the other pages in its own time and the surface tells
  // of theirs at its next tick, whatever the test does then.
  std::vector<AfxUiQuestion> Asked() const;
  // A value of "Program Settings", removed when the test ends; null removes it.
  void Setting(const char* name, const char* value);
  TempFolder& Temp();
  SampleAlbum& Sample();
  // The sample album, opened from the menu.
  void OpenSample();
  // Photo A alone selected on the open album's current page; that page.
  treeNode::CPaginaTreeNode* SelectPhotoA();
  // Image > Modifica immagine on the selection, the original kept apart as a
  // new photo or not. The outside editor starts and ends at once, or, with
  // editorStarts false, is a program that does not exist.
  void EditOutside(bool keepOriginal, bool editorStarts = true);
  static const char kMissingEditor[];

  CScriptedUi ui;
  CSposalboApp app;
  CMainFrame* frame = nullptr;

 private:
  CSingleDocTemplate* m_template = nullptr;
  std::unique_ptr<TempFolder> m_temp;
  std::unique_ptr<SampleAlbum> m_sample;
  std::vector<std::string> m_settings;
};
