#include <gtest/gtest.h>

#include "framework/framework.h"
#include "test_ids.h"

TEST(CString, FormatsAndPassesStringsThroughVarargs) {
  CString name("Album");
  CString text;
  text.Format("%s (%d x %d)", name, 20, 30);
  EXPECT_STREQ(text, "Album (20 x 30)");
  text.Format("%5.2f|%-3s|", 3.14159, "a");
  EXPECT_STREQ(text, " 3.14|a  |");
  text.AppendFormat("%c", 'z');
  EXPECT_STREQ(text, " 3.14|a  |z");
}

TEST(CString, FormatsFromAStringResource) {
  CString text;
  text.Format(IDS_FORMAT, CString("Book"), 12);
  EXPECT_STREQ(text, "Book has 12 pages");
  CString greeting;
  EXPECT_TRUE(greeting.LoadString(IDS_GREETING));
  EXPECT_STREQ(greeting, "Hello");
  EXPECT_FALSE(greeting.LoadString(9999));
  EXPECT_TRUE(greeting.IsEmpty());
}

TEST(CString, ExtractsParts) {
  struct Case {
    const char* source;
    int first, count;
    const char *left, *mid, *right;
  };
  const Case cases[] = {
      {"abcdef", 2, 2, "ab", "cd", "f"},
      {"abc", 1, 10, "abc", "bc", "c"},
      {"abc", 5, 1, "a", "", "c"},
      {"", 0, 3, "", "", ""},
  };
  for (const Case& c : cases) {
    CString s(c.source);
    EXPECT_STREQ(s.Mid(c.first, c.count), c.mid) << c.source;
    EXPECT_STREQ(s.Left(c.count), c.left) << c.source;
    EXPECT_STREQ(s.Right(1), c.right) << c.source;
  }
  EXPECT_STREQ(CString("abcdef").Left(-1), "");
  EXPECT_STREQ(CString("abcdef").Mid(-3), "abcdef");
}

TEST(CString, FindsCharactersAndSubstrings) {
  CString path("C:\\photos\\summer\\beach.jpg");
  EXPECT_EQ(path.Find('\\'), 2);
  EXPECT_EQ(path.Find('\\', 3), 9);
  EXPECT_EQ(path.ReverseFind('\\'), 16);
  EXPECT_EQ(path.Find("summer"), 10);
  EXPECT_EQ(path.Find("winter"), -1);
  EXPECT_EQ(path.Find('x', 100), -1);
  EXPECT_EQ(path.ReverseFind('#'), -1);
  EXPECT_EQ(path.FindOneOf(".:"), 1);
}

TEST(CString, TrimsChangesCaseAndReplaces) {
  CString s("  \t Pers Path \n");
  s.Trim();
  EXPECT_STREQ(s, "Pers Path");
  CString blanks("     ");
  EXPECT_TRUE(blanks.Trim().IsEmpty());
  CString x("xxabcxx");
  x.TrimLeft('x');
  EXPECT_STREQ(x, "abcxx");
  x.TrimRight("x");
  EXPECT_STREQ(x, "abc");
  CString mixed("MiXeD");
  EXPECT_STREQ(mixed.MakeLower(), "mixed");
  EXPECT_STREQ(mixed.MakeUpper(), "MIXED");
  CString r("a.b.c");
  EXPECT_EQ(r.Replace(".", "::"), 2);
  EXPECT_STREQ(r, "a::b::c");
  EXPECT_EQ(r.Replace(':', '-'), 4);
  EXPECT_STREQ(r, "a--b--c");
  EXPECT_EQ(r.Replace("", "x"), 0);
  EXPECT_EQ(r.Remove('-'), 4);
  EXPECT_STREQ(r, "abc");
}

TEST(CString, ComparesWithAndWithoutCase) {
  EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
  EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
  EXPECT_GT(CString("b").Compare("a"), 0);
  EXPECT_TRUE(CString("x") == "x");
  EXPECT_TRUE("y" != CString("x"));
  EXPECT_TRUE(CString("a") < CString("b"));
}

TEST(CString, BufferAccessKeepsTheWrittenText) {
  CString s;
  char* buffer = s.GetBuffer(20);
  lstrcpyA(buffer, "written");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 7);
  EXPECT_STREQ(s, "written");
  buffer = s.GetBuffer(0);
  buffer[0] = 'W';
  s.ReleaseBuffer(3);
  EXPECT_STREQ(s, "Wri");
}

TEST(CString, TokenizesOnAnyDelimiter) {
  CString s(";a;;bc;d");
  int pos = 0;
  std::vector<std::string> tokens;
  for (CString t = s.Tokenize(";", pos); pos >= 0; t = s.Tokenize(";", pos)) tokens.push_back(t.GetString());
  EXPECT_EQ(tokens, (std::vector<std::string>{"a", "bc", "d"}));
}
