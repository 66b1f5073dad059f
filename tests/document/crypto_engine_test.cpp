#include <gtest/gtest.h>

#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

#include "LabKeys.h"
#include "TempFolder.h"
#include "document/services/CryptoEngine.h"

namespace {

using lab_test::Laboratory;
using lab_test::ReadBytes;
using lab_test::WriteBytes;

class CryptoEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lab.Ready());
    WriteBytes(dir / "public.key", lab.PublicKeyBlob());
    ASSERT_TRUE(engine.AcquireContext());
    ASSERT_TRUE(engine.ImportPublicKey((dir / "public.key").c_str()));
  }

  Laboratory lab;
  TempFolder dir;
  CCryptoEngine engine;
};

TEST_F(CryptoEngineTest, SealHoldsTheFileDigestForTheLaboratory) {
  const std::string content = "<album nome=\"sposi\"/>\n";
  MakeFolder(dir / "album_xlab");
  WriteTextFile(dir / "album_xlab\\sposalbo.sbm", content);
  ASSERT_TRUE(engine.SignFile((dir / "album_xlab\\sposalbo.sbm").c_str(), nullptr));

  std::vector<BYTE> seal = ReadBytes(dir / "album_xlab\\sposalbo.sig");
  ASSERT_EQ(seal.size(), 158u);
  EXPECT_EQ(seal[0], 16);
  EXPECT_EQ(seal[1], 140);
  EXPECT_EQ(lab.OpenSeal(seal), lab.Md5(content));
  // The digest does not lie in the seal in the clear.
  EXPECT_NE(std::vector<BYTE>(seal.begin() + 2, seal.begin() + 18), lab.Md5(content));
}

TEST_F(CryptoEngineTest, SealOfAnEmptyFileHoldsTheDigestOfNoBytes) {
  WriteTextFile(dir / "empty.sbm", "");
  ASSERT_TRUE(engine.SignFile((dir / "empty.sbm").c_str(), nullptr));
  EXPECT_EQ(lab.OpenSeal(ReadBytes(dir / "empty.sig")), lab.Md5(""));
}

TEST_F(CryptoEngineTest, SealOfALargeFileCoversEveryBlock) {
  std::string content;
  for (int i = 0; i < 1000; ++i) content += static_cast<char>(i * 7);
  WriteTextFile(dir / "large.sbm", content);
  ASSERT_TRUE(engine.SignFile((dir / "large.sbm").c_str(), nullptr));
  EXPECT_EQ(lab.OpenSeal(ReadBytes(dir / "large.sig")), lab.Md5(content));
}

TEST_F(CryptoEngineTest, SealGoesToTheGivenPath) {
  WriteTextFile(dir / "file", "data");
  ASSERT_TRUE(engine.SignFile((dir / "file").c_str(), (dir / "other.bin").c_str()));
  EXPECT_EQ(lab.OpenSeal(ReadBytes(dir / "other.bin")), lab.Md5("data"));
  EXPECT_FALSE(FileExists(dir / "file.sig"));
}

TEST_F(CryptoEngineTest, SealOfAMissingFileFailsAndWritesNothing) {
  EXPECT_FALSE(engine.SignFile((dir / "none.sbm").c_str(), nullptr));
  EXPECT_FALSE(FileExists(dir / "none.sig"));
}

TEST_F(CryptoEngineTest, SealThatCannotBeWrittenFails) {
  WriteTextFile(dir / "a.sbm", "data");
  EXPECT_FALSE(engine.SignFile((dir / "a.sbm").c_str(), (dir / "none\\a.sig").c_str()));
}

TEST(CryptoEngineSealPath, ReplacesTheExtensionOfTheFileName) {
  EXPECT_STREQ(CCryptoEngine::SealPathFor("C:\\out\\album_xlab\\sposalbo.sbm"),
               "C:\\out\\album_xlab\\sposalbo.sig");
  EXPECT_STREQ(CCryptoEngine::SealPathFor("C:\\out\\file"), "C:\\out\\file.sig");
  EXPECT_STREQ(CCryptoEngine::SealPathFor("C:\\my.out\\file"), "C:\\my.out\\file.sig");
  EXPECT_STREQ(CCryptoEngine::SealPathFor("a.b.sbm"), "a.b.sig");
}

TEST(CryptoEngineKeys, WithoutAProviderNothingWorks) {
  CCryptoEngine engine;
  EXPECT_FALSE(engine.ImportPublicKey("public.key"));
  EXPECT_FALSE(engine.SignFile("file.sbm", nullptr));
}

TEST(CryptoEngineKeys, AcquiringTwiceKeepsTheProvider) {
  CCryptoEngine engine;
  EXPECT_TRUE(engine.AcquireContext());
  EXPECT_TRUE(engine.AcquireContext());
}

TEST(CryptoEngineKeys, MissingOrGarbledKeyLeavesNoKeyAndSealsFail) {
  TempFolder dir;
  Laboratory lab;
  ASSERT_TRUE(lab.Ready());
  WriteTextFile(dir / "a.sbm", "data");
  WriteTextFile(dir / "garbled.key", "this is not a key blob");
  WriteTextFile(dir / "empty.key", "");
  std::vector<BYTE> truncated = lab.PublicKeyBlob();
  truncated.resize(truncated.size() / 2);
  WriteBytes(dir / "truncated.key", truncated);
  WriteBytes(dir / "good.key", lab.PublicKeyBlob());

  const char* bad[] = {"missing.key", "garbled.key", "empty.key", "truncated.key"};
  for (const char* name : bad) {
    CCryptoEngine engine;
    ASSERT_TRUE(engine.AcquireContext());
    // A key held before is dropped too.
    ASSERT_TRUE(engine.ImportPublicKey((dir / "good.key").c_str()));
    EXPECT_FALSE(engine.ImportPublicKey((dir / name).c_str())) << name;
    EXPECT_FALSE(engine.SignFile((dir / "a.sbm").c_str(), nullptr)) << name;
    EXPECT_FALSE(FileExists(dir / "a.sig")) << name;
  }
}

TEST(CryptoEngineKeys, KeyLargerThanTheBaseProviderTakesLeavesSealsFailing) {
  // A wrapped key of such a laboratory key would not fit the seal either.
  TempFolder dir;
  Laboratory lab(2048, MS_ENHANCED_PROV_A);
  ASSERT_TRUE(lab.Ready());
  WriteBytes(dir / "big.key", lab.PublicKeyBlob());
  WriteTextFile(dir / "a.sbm", "data");
  CCryptoEngine engine;
  ASSERT_TRUE(engine.AcquireContext());
  EXPECT_FALSE(engine.ImportPublicKey((dir / "big.key").c_str()));
  EXPECT_FALSE(engine.SignFile((dir / "a.sbm").c_str(), nullptr));
  EXPECT_FALSE(FileExists(dir / "a.sig"));
}

}  // namespace
