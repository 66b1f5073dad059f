#pragma once
// The laboratory's side of the seal, for tests: a key pair of its own made
// under the real CryptoAPI, the public half as a public.key blob, the private
// half to open seals with.
#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

#include "TempFolder.h"

namespace lab_test {

const char kBaseProvider[] = "Microsoft Base Cryptographic Provider v1.0";

class Laboratory {
 public:
  explicit Laboratory(DWORD bits = 1024, const char* provider = kBaseProvider) {
    if (!::CryptAcquireContextA(&m_prov, nullptr, provider, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
      m_prov = 0;
    if (m_prov && !::CryptGenKey(m_prov, AT_KEYEXCHANGE, (bits << 16) | CRYPT_EXPORTABLE, &m_key))
      m_key = 0;
  }
  // A laboratory whose private key is given as a PRIVATEKEYBLOB.
  explicit Laboratory(const std::vector<BYTE>& privateBlob, const char* provider = kBaseProvider) {
    if (!::CryptAcquireContextA(&m_prov, nullptr, provider, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
      m_prov = 0;
    if (m_prov && !::CryptImportKey(m_prov, privateBlob.data(), static_cast<DWORD>(privateBlob.size()), 0, 0, &m_key))
      m_key = 0;
  }
  ~Laboratory() {
    if (m_key) ::CryptDestroyKey(m_key);
    if (m_prov) ::CryptReleaseContext(m_prov, 0);
  }
  Laboratory(const Laboratory&) = delete;
  Laboratory& operator=(const Laboratory&) = delete;

  bool Ready() const { return m_key != 0; }

  std::vector<BYTE> PublicKeyBlob() const {
    DWORD length = 0;
    ::CryptExportKey(m_key, 0, PUBLICKEYBLOB, 0, nullptr, &length);
    std::vector<BYTE> blob(length);
    if (!::CryptExportKey(m_key, 0, PUBLICKEYBLOB, 0, blob.data(), &length)) blob.clear();
    blob.resize(length);
    return blob;
  }

  // Unwraps the RC4 key of a seal and deciphers the digest; empty on failure.
  std::vector<BYTE> OpenSeal(const std::vector<BYTE>& seal) const {
    if (seal.size() < 2 || seal.size() != 2u + seal[0] + seal[1]) return {};
    HCRYPTKEY rc4 = 0;
    if (!::CryptImportKey(m_prov, seal.data() + 2 + seal[0], seal[1], m_key, 0, &rc4)) return {};
    std::vector<BYTE> digest(seal.begin() + 2, seal.begin() + 2 + seal[0]);
    DWORD length = static_cast<DWORD>(digest.size());
    bool ok = ::CryptDecrypt(rc4, 0, TRUE, 0, digest.data(), &length);
    ::CryptDestroyKey(rc4);
    if (!ok) return {};
    digest.resize(length);
    return digest;
  }

  std::vector<BYTE> Md5(const std::string& bytes) const {
    HCRYPTHASH hash = 0;
    std::vector<BYTE> digest(16);
    DWORD length = 16;
    if (!::CryptCreateHash(m_prov, CALG_MD5, 0, 0, &hash)) return {};
    ::CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                    static_cast<DWORD>(bytes.size()), 0);
    ::CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &length, 0);
    ::CryptDestroyHash(hash);
    return digest;
  }

 private:
  HCRYPTPROV m_prov = 0;
  HCRYPTKEY m_key = 0;
};

inline std::vector<BYTE> ReadBytes(const std::string& path) {
  std::string text = ReadTextFile(path);
  return std::vector<BYTE>(text.begin(), text.end());
}

inline void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  WriteTextFile(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace lab_test
