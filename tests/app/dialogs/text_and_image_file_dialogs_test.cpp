// The text dialog and the image file dialog through the UI seam.
#include <gtest/gtest.h>

#include "app/dialogs/ImageFileDlg.h"
#include "app/dialogs/TestoDialog.h"
#include "framework/scripted_ui.h"

TEST(TestoDialog, OffersTrueTypeFontsFromItsOwnTemplateStartingWithArial) {
  CScriptedUi ui;
  LOGFONTA chosen{};
  lstrcpyA(chosen.lfFaceName, "Times New Roman");
  chosen.lfHeight = -30;
  ui.AnswerFont(chosen);
  CTestoDialog dialog;
  EXPECT_STREQ(dialog.m_lf.lfFaceName, "Arial");
  dialog.m_text = "Marco e Giulia";
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_cf.Flags & 0x40050u, 0x40050u);
  EXPECT_EQ(dialog.m_cf.lpTemplateName, MAKEINTRESOURCEA(IDD_TESTO));
  EXPECT_STREQ(dialog.m_lf.lfFaceName, "Times New Roman");
  EXPECT_STREQ(dialog.m_text, "Marco e Giulia");
  // The template the system builds the dialog from is in the program.
  EXPECT_NE(::FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_TESTO), MAKEINTRESOURCEA(5)), nullptr);
  // Line breaks: "\n" in the album, "\r\n" in the edit.
  const struct {
    const char* album;
    const char* edit;
  } texts[] = {{"Marco\ne Giulia\n", "Marco\r\ne Giulia\r\n"}, {"\n\nsposi", "\r\n\r\nsposi"}, {"una riga", "una riga"}};
  for (const auto& t : texts) {
    dialog.SetText(t.album);
    EXPECT_STREQ(dialog.m_text, t.edit);
    EXPECT_EQ(dialog.GetText(), t.album);
  }
}

TEST(ImageFileDlg, ManyFilesFitTheLargeBufferAndComeBackWithTheirFolder) {
  CScriptedUi ui;
  std::vector<CString> answer{"C:\\foto"};
  for (int i = 0; i < 300; ++i) {
    CString name;
    name.Format("matrimonio_%03d_una_fotografia_dal_nome_lungo_per_riempire_il_buffer_degli_archivi.jpg", i);
    answer.push_back(name);
  }
  ui.AnswerFiles(answer);
  CImageFileDlg dialog;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  const std::vector<CString> paths = dialog.GetPaths();
  ASSERT_EQ(paths.size(), 300u);
  EXPECT_STREQ(paths[299], "C:\\foto\\" + answer[300]);
  EXPECT_EQ(dialog.m_ofn.Flags & 0x204u, 0x204u);
}

TEST(ImageFileDlg, ASelectionLargerThanTheBufferIsRefused) {
  CScriptedUi ui;
  std::vector<CString> answer{"C:\\foto"};
  for (int i = 0; i < 400; ++i) answer.push_back(CString('x', 100));
  ui.AnswerFiles(answer);
  CImageFileDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(dialog.GetPaths().empty());
}
