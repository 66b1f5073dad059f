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

  // No bytes, many blocks, and a seal path of the caller's.
  std::string large;
  for (int i = 0; i < 1000; ++i) large += static_cast<char>(i * 7);
  const struct {
    const char* file;
    std::string content;
    const char* sealName;
  } cases[] = {{"empty.sbm", "", nullptr}, {"large.sbm", large, nullptr}, {"file", "data", "other.bin"}};
  for (const auto& c : cases) {
    WriteTextFile(dir / c.file, c.content);
    ASSERT_TRUE(engine.SignFile((dir / c.file).c_str(), c.sealName ? (dir / c.sealName).c_str() : nullptr));
    const std::string sealPath = c.sealName ? dir / c.sealName : CCryptoEngine::SealPathFor((dir / c.file).c_str()).str();
    EXPECT_EQ(lab.OpenSeal(ReadBytes(sealPath)), lab.Md5(c.content)) << c.file;
  }
  EXPECT_FALSE(FileExists(dir / "file.sig"));

  EXPECT_FALSE(engine.SignFile((dir / "none.sbm").c_str(), nullptr));
  EXPECT_FALSE(FileExists(dir / "none.sig")) << "no seal of a missing file";
  EXPECT_FALSE(engine.SignFile((dir / "file").c_str(), (dir / "none\\a.sig").c_str()));
}

TEST(CryptoEngineSealPath, ReplacesTheExtensionOfTheFileName) {
  EXPECT_STREQ(CCryptoEngine::SealPathFor("C:\\out\\album_xlab\\sposalbo.sbm"),
               "C:\\out\\album_xlab\\sposalbo.sig");
  EXPECT_STREQ(CCryptoEngine::SealPathFor("C:\\out\\file"), "C:\\out\\file.sig");
  EXPECT_STREQ(CCryptoEngine::SealPathFor("C:\\my.out\\file"), "C:\\my.out\\file.sig");
  EXPECT_STREQ(CCryptoEngine::SealPathFor("a.b.sbm"), "a.b.sig");
}

// Missing, garbled, empty and truncated keys, and a key larger than the base
// provider takes (whose wrapped key would not fit the seal either), leave no
// key: seals fail and write nothing, also where a good key was held before.
TEST(CryptoEngineKeys, BadKeysLeaveNoKeyAndSealsFail) {
  CCryptoEngine unready;
  EXPECT_FALSE(unready.ImportPublicKey("public.key")) << "without a provider nothing works";
  EXPECT_FALSE(unready.SignFile("file.sbm", nullptr));
  TempFolder dir;
  Laboratory lab, big(2048, MS_ENHANCED_PROV_A);
  ASSERT_TRUE(lab.Ready());
  ASSERT_TRUE(big.Ready());
  WriteTextFile(dir / "a.sbm", "data");
  WriteTextFile(dir / "garbled.key", "this is not a key blob");
  WriteTextFile(dir / "empty.key", "");
  std::vector<BYTE> truncated = lab.PublicKeyBlob();
  truncated.resize(truncated.size() / 2);
  WriteBytes(dir / "truncated.key", truncated);
  WriteBytes(dir / "good.key", lab.PublicKeyBlob());
  WriteBytes(dir / "big.key", big.PublicKeyBlob());
  for (const char* name : {"missing.key", "garbled.key", "empty.key", "truncated.key", "big.key"}) {
    CCryptoEngine engine;
    ASSERT_TRUE(engine.AcquireContext());
    ASSERT_TRUE(engine.AcquireContext()) << "acquiring twice keeps the provider";
    ASSERT_TRUE(engine.ImportPublicKey((dir / "good.key").c_str()));
    EXPECT_FALSE(engine.ImportPublicKey((dir / name).c_str())) << name;
    EXPECT_FALSE(engine.SignFile((dir / "a.sbm").c_str(), nullptr)) << name;
    EXPECT_FALSE(FileExists(dir / "a.sig")) << name;
  }
}

}  // namespace
