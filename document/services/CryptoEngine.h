#pragma once
// The laboratory seal: the MD5 digest of an exported project file, enciphered with
// an RC4 key derived from that digest, and the RC4 key wrapped with the
// laboratory's RSA public key. Only the laboratory, holding the private key, can
// open it. The engine keeps no secret of its own.
#include <windows.h>
#include <wincrypt.h>

#include "framework/string_type.h"

class CCryptoEngine {
 public:
  CCryptoEngine() = default;
  virtual ~CCryptoEngine();
  CCryptoEngine(const CCryptoEngine&) = delete;
  CCryptoEngine& operator=(const CCryptoEngine&) = delete;

  // Takes the base RSA provider's default key container, creating it when the user
  // has none yet. True when a provider is held.
  bool AcquireContext();

  // Imports the laboratory's PUBLICKEYBLOB from a file (the whole file is the blob).
  // On failure the engine holds no public key.
  bool ImportPublicKey(const char* path);

  // Writes the seal of the file at path to sealPath, or beside the file (see
  // SealPathFor) when sealPath is null. Nothing is left behind on failure.
  bool SignFile(const char* path, const char* sealPath);

  // The seal's default path: the file's extension replaced by ".sig", or ".sig"
  // appended when the file name has no extension.
  static CString SealPathFor(const char* path);

  // The seal is assembled in a buffer of this size: two length bytes, the digest
  // and the wrapped key.
  static const DWORD kSealBufferSize = 256;
  static const DWORD kDigestSize = 16;

 private:
  HCRYPTPROV m_hProv = 0;
  HCRYPTKEY m_hOwnKeyPair = 0;  // reserved; no operation fills it
  HCRYPTKEY m_hPublicKey = 0;   // the laboratory's key-exchange key
  HCRYPTKEY m_hSpareKey = 0;    // reserved; no operation fills it
};
