#include "document/services/CryptoEngine.h"

#include <vector>

#include "document/services/PathNames.h"
#include "document/services/Win32Handle.h"

namespace {
const char kProviderName[] = "Microsoft Base Cryptographic Provider v1.0";
const DWORD kHashBlockSize = 256;

// Owners of the short-lived CryptoAPI objects of one seal.
struct ScopedHash {
  HCRYPTHASH h = 0;
  ~ScopedHash() {
    if (h) ::CryptDestroyHash(h);
  }
};
struct ScopedKey {
  HCRYPTKEY h = 0;
  ~ScopedKey() {
    if (h) ::CryptDestroyKey(h);
  }
};

// A key blob is a few hundred bytes; a file of a megabyte is no key.
const LONGLONG kMaxKeyFileSize = 0x100000;

bool ReadWholeFile(const char* path, std::vector<BYTE>& bytes) {
  CScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxKeyFileSize) return false;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size()))
    return false;
  return true;
}

bool HashFile(HCRYPTHASH hash, const char* path) {
  CScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  BYTE block[kHashBlockSize];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), block, sizeof block, &read, nullptr)) return false;
    if (read == 0) return true;
    if (!::CryptHashData(hash, block, read, 0)) return false;
  }
}

// Writes the seal whole or not at all: a half-written seal would only mislead the
// laboratory.
bool WriteSeal(const char* path, const BYTE* bytes, DWORD length) {
  CScopedHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(file.Get(), bytes, length, &written, nullptr) && written == length;
  file.Reset();
  if (!ok) ::DeleteFileA(path);
  return ok;
}
}  // namespace

CCryptoEngine::~CCryptoEngine() {
  if (m_hOwnKeyPair) ::CryptDestroyKey(m_hOwnKeyPair);
  if (m_hPublicKey) ::CryptDestroyKey(m_hPublicKey);
  if (m_hSpareKey) ::CryptDestroyKey(m_hSpareKey);
  if (m_hProv) ::CryptReleaseContext(m_hProv, 0);
}

bool CCryptoEngine::AcquireContext() {
  if (m_hProv) return true;
  if (::CryptAcquireContextA(&m_hProv, nullptr, kProviderName, PROV_RSA_FULL, 0)) return true;
  m_hProv = 0;
  if (::CryptAcquireContextA(&m_hProv, nullptr, kProviderName, PROV_RSA_FULL, CRYPT_NEWKEYSET))
    return true;
  m_hProv = 0;
  return false;
}

bool CCryptoEngine::ImportPublicKey(const char* path) {
  if (!m_hProv) return false;
  if (m_hPublicKey) {
    ::CryptDestroyKey(m_hPublicKey);
    m_hPublicKey = 0;
  }
  std::vector<BYTE> blob;
  if (!path || !ReadWholeFile(path, blob) || blob.empty()) return false;
  HCRYPTKEY key = 0;
  if (!::CryptImportKey(m_hProv, blob.data(), static_cast<DWORD>(blob.size()), 0, 0, &key))
    return false;
  m_hPublicKey = key;
  return true;
}

CString CCryptoEngine::SealPathFor(const char* path) {
  CString seal(path);
  // Only a "." of the file name counts: a dotted folder name must not move the seal
  // out of the folder.
  const char* dot = FindExtension(path);
  if (*dot) seal = CString(path, static_cast<int>(dot - path));
  seal += ".sig";
  return seal;
}

bool CCryptoEngine::SignFile(const char* path, const char* sealPath) {
  if (!m_hProv || !m_hPublicKey || !path) return false;

  ScopedHash hash;
  if (!::CryptCreateHash(m_hProv, CALG_MD5, 0, 0, &hash.h)) return false;
  if (!HashFile(hash.h, path)) return false;

  BYTE seal[kSealBufferSize] = {};
  DWORD n = kDigestSize;
  if (!::CryptGetHashParam(hash.h, HP_HASHVAL, seal + 2, &n, 0) || n != kDigestSize) return false;

  ScopedKey rc4;
  if (!::CryptDeriveKey(m_hProv, CALG_RC4, hash.h, CRYPT_EXPORTABLE, &rc4.h)) return false;
  DWORD enciphered = n;
  if (!::CryptEncrypt(rc4.h, 0, TRUE, 0, seal + 2, &enciphered, n) || enciphered != n)
    return false;

  DWORD m = 0;
  if (!::CryptExportKey(rc4.h, m_hPublicKey, SIMPLEBLOB, 0, nullptr, &m)) return false;
  if (m > kSealBufferSize - 2 - n) return false;
  if (!::CryptExportKey(rc4.h, m_hPublicKey, SIMPLEBLOB, 0, seal + 2 + n, &m)) return false;

  seal[0] = static_cast<BYTE>(n);
  seal[1] = static_cast<BYTE>(m);
  CString target = sealPath ? CString(sealPath) : SealPathFor(path);
  return WriteSeal(target, seal, 2 + n + m);
}
