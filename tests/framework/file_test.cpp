#include <gtest/gtest.h>

#include "framework/framework.h"
#include "framework/scripted_ui.h"
#include "test_support.h"

TEST(CFile, WritesReadsSeeksAndMeasures) {
  {
    CFile file;
    ASSERT_TRUE(file.Open("data.bin", CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    file.Close();
  }
  CFile file("data.bin", CFile::modeRead | CFile::shareDenyWrite);
  EXPECT_EQ(file.GetLength(), 10u);
  char block[4] = {};
  EXPECT_EQ(file.Read(block, 4), 4u);
  EXPECT_EQ(std::string(block, 4), "0123");
  EXPECT_EQ(file.Seek(-2, CFile::end), 8u);
  EXPECT_EQ(file.Read(block, 4), 2u);  // a short read at the end
  EXPECT_EQ(std::string(block, 2), "89");
  EXPECT_EQ(file.Read(block, 4), 0u);
  EXPECT_EQ(file.GetPosition(), 10u);
}

TEST(CFile, OpenReportsTheCauseAndTheConstructorThrows) {
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open("no\\such\\folder\\file.bin", CFile::modeRead, &error));
  EXPECT_TRUE(error.m_cause == CFileException::badPath || error.m_cause == CFileException::fileNotFound);
  EXPECT_STREQ(error.m_strFileName, "no\\such\\folder\\file.bin");
  bool caught = false;
  try {
    CFile missing("missing.bin", CFile::modeRead);
  } catch (CFileException* e) {
    caught = true;
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    EXPECT_NE(e->GetMessageText().Find("missing.bin"), -1);
    e->Delete();
  }
  EXPECT_TRUE(caught);
}

namespace {
class CThrowingWnd : public CHostWnd {
 public:
  afx_msg void OnThrow() { AfxThrowInvalidArgException(); }
  DECLARE_MESSAGE_MAP()
};
}  // namespace

BEGIN_MESSAGE_MAP(CThrowingWnd, CHostWnd)
  ON_COMMAND(300, OnThrow)
END_MESSAGE_MAP()

TEST(Exceptions, LayerExceptionsStopAtTheWindowProcedureAndAreFreed) {
  CScriptedUi ui;
  CThrowingWnd wnd;
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, 0));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].kind, "error");
  EXPECT_STREQ(ui.Questions()[0].text, "Invalid argument.");
}
