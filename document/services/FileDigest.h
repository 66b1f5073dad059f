#pragma once
// What a file holds, told apart from any other content by a 64-bit digest of
// its bytes: a stamp (FileStamp.h) is cheap to read but is not the content. A
// digest is taken while the file is held open with no write sharing, so no
// program changes its bytes between their reading and their digest.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "document/services/FileStamp.h"
#include "document/services/Win32Handle.h"

struct CFileDigest {
  bool known = false;
  uint64_t value = 0;

  bool operator==(const CFileDigest& other) const { return known == other.known && value == other.value; }
  bool operator!=(const CFileDigest& other) const { return !(*this == other); }
};

// One content of a file as it was read: its stamp, then its bytes' digest.
struct CFileContent {
  CFileStamp stamp;
  CFileDigest digest;
};

// 16 hexadecimal digits; empty when not known.
std::string DigestText(const CFileDigest& digest);
// Anything but 16 hexadecimal digits reads as not known.
CFileDigest DigestFromText(const char* text);

// A digest fed with a file's bytes in order.
class CDigester {
 public:
  CDigester();
  ~CDigester();
  CDigester(const CDigester&) = delete;
  CDigester& operator=(const CDigester&) = delete;

  void Add(const void* bytes, size_t size);
  // Not known when no memory could be had for it.
  CFileDigest Finish();

 private:
  void* m_state;
};

// A file open for reading that no program can write while it is held. A file
// another program has open for writing cannot be held: the last error is
// then ERROR_SHARING_VIOLATION.
class CHeldFile {
 public:
  bool Open(const std::string& path);
  HANDLE Get() const { return m_file.Get(); }
  // Every byte from the start; false when the file cannot be read.
  bool Digest(CFileDigest& digest);

 private:
  CScopedHandle m_file;
};

// Not known when the file cannot be held or read.
CFileDigest DigestFile(const std::string& path);

// Copies a file held as above over the target (made anew), read in large
// pieces, each added to the digest before it is written: no second read of
// either file. The copy is checked to hold as many bytes as the file had,
// and takes its write time. False, with the system's reason as the last
// error, when it could not be made.
bool CopyFileWithDigest(const std::string& from, const std::string& to, CFileDigest& digest);
