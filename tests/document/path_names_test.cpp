#include <gtest/gtest.h>

#include "document/services/PathNames.h"

namespace {

struct NameCase {
  const char* name;
  bool single;
  bool relative;
};

TEST(PathNames, OnlyNamesInsideTheirFolderAreAccepted) {
  const NameCase cases[] = {
      {"12.jpg", true, true}, {"IMG_0001.JPG", true, true}, {"noext", true, true},
      {"sub\\a.jpg", false, true}, {"sub/a.jpg", false, true}, {"", false, false}, {".", false, false},
      {"..", false, false}, {"..\\x.jpg", false, false}, {"sub\\..\\..\\x.jpg", false, false},
      {"\\x.jpg", false, false}, {"C:\\x.jpg", false, false}, {"C:x.jpg", false, false},
      {"a\\\\b", false, false}, {"a?.jpg", false, false}, {"a|b", false, false}, {"sub\\", false, false},
      // Opening these reads a device, not a file of the folder.
      {"nul", false, false}, {"NUL.jpg", false, false}, {"con", false, false}, {"Con .txt", false, false},
      {"prn", false, false}, {"aux.png", false, false}, {"COM1", false, false}, {"lpt9.jpg", false, false},
      {"conin$", false, false}, {"CONOUT$", false, false}, {"sub\\nul.jpg", false, false},
      {"COM0", false, false}, {"lpt0.jpg", false, false}, {"sub\\com0", false, false},
      // The ports with superscript digits (the program's code page: B9, B2, B3) are devices too.
      {"COM\xB9", false, false}, {"COM\xB2", false, false}, {"COM\xB3", false, false},
      {"LPT\xB9", false, false}, {"LPT\xB2", false, false}, {"lpt\xB3", false, false},
      {"com\xB9.jpg", false, false}, {"Lpt\xB2 .png", false, false},
      {"sub\\COM\xB3.jpg", false, false},
      // Windows drops trailing dots and blanks, so these open another name than the one checked.
      {"a.jpg.", false, false}, {"a.jpg ", false, false}, {"a.jpg. .", false, false},
      {"... ", false, false}, {".. ", false, false}, {"... \\x", false, false},
      {"x \\y.jpg", false, false}, {"sub.\\a.jpg", false, false}, {"sub\\a.", false, false},
      {"console.jpg", true, true}, {"com10.jpg", true, true}, {"com\xB9\xB9.jpg", true, true},
      {"com\xB4.jpg", true, true}, {"lpt\xBC.jpg", true, true}, {"nullo.jpg", true, true},
      {"a.con", true, true}, {".jpg", true, true}, {"a b.jpg", true, true}, {" a.jpg", true, true},
      {"sub.d\\a.jpg", false, true},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(IsSingleFileName(c.name), c.single) << c.name;
    EXPECT_EQ(IsRelativeSubPath(c.name), c.relative) << c.name;
  }
  EXPECT_FALSE(IsSingleFileName(nullptr));
  EXPECT_FALSE(IsRelativeSubPath(nullptr));
}

TEST(PathNames, ExtensionComesFromTheLastComponentOnlyAndJoinAddsOneBackslash) {
  EXPECT_STREQ(FindExtension("C:\\foto\\a.png.bmp"), ".bmp");
  EXPECT_STREQ(FindExtension("sub\\a.jpg"), ".jpg");
  EXPECT_STREQ(FindExtension("my.folder\\file"), "");
  EXPECT_STREQ(FindExtension("file"), "");
  EXPECT_STREQ(FindFileName("C:\\foto\\a.png"), "a.png");
  EXPECT_STREQ(FindFileName("a.png"), "a.png");
  EXPECT_EQ(JoinPath("C:\\album", "img"), "C:\\album\\img");
  EXPECT_EQ(JoinPath("C:\\album\\", "img"), "C:\\album\\img");
  EXPECT_EQ(JoinPath("", "img"), "img");
}

}  // namespace
