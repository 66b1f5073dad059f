#include <gtest/gtest.h>

#include <windows.h>
#include <wincrypt.h>

#include <string>

namespace {

std::string Hex(const BYTE* bytes, DWORD n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (DWORD i = 0; i < n; ++i) {
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 15];
    }
    return s;
}

TEST(CryptoApi, Md5OfAbcThroughTheBaseProvider) {
    HCRYPTPROV prov = 0;
    ASSERT_TRUE(CryptAcquireContextA(&prov, nullptr, "Microsoft Base Cryptographic Provider v1.0",
                                     PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    HCRYPTHASH hash = 0;
    ASSERT_TRUE(CryptCreateHash(prov, CALG_MD5, 0, 0, &hash));
    const BYTE abc[] = {'a', 'b', 'c'};
    ASSERT_TRUE(CryptHashData(hash, abc, 3, 0));
    BYTE digest[16];
    DWORD len = sizeof digest;
    ASSERT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, digest, &len, 0));
    CryptDestroyHash(hash);
    CryptReleaseContext(prov, 0);
    EXPECT_EQ(Hex(digest, len), "900150983cd24fb0d6963f7d28e17f72");
}

}  // namespace
