#include "document/services/FileDigest.h"

#include <xxhash.h>

#include <memory>
#include <vector>

namespace {
// Pieces the size the system's own copy takes: small enough to stay in the
// processor's nearest cache from their read through their digest to their
// write (larger ones made the copy measurably slower).
constexpr DWORD kPiece = 64 << 10;

ULONGLONG SizeOf(HANDLE file) {
  LARGE_INTEGER size{};
  return ::GetFileSizeEx(file, &size) ? static_cast<ULONGLONG>(size.QuadPart) : ~0ULL;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::string DigestText(const CFileDigest& digest) {
  if (!digest.known) return std::string();
  static const char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 0; i < 16; ++i) text[static_cast<size_t>(i)] = kDigits[(digest.value >> (60 - 4 * i)) & 0xF];
  return text;
}

CFileDigest DigestFromText(const char* text) {
  CFileDigest digest;
  if (!text) return digest;
  uint64_t value = 0;
  int count = 0;
  for (const char* c = text; *c; ++c, ++count) {
    const int digit = HexValue(*c);
    if (digit < 0 || count == 16) return digest;
    value = (value << 4) | static_cast<uint64_t>(digit);
  }
  if (count != 16) return digest;
  digest.known = true;
  digest.value = value;
  return digest;
}

CDigester::CDigester() : m_state(XXH3_createState()) {
  if (m_state) XXH3_64bits_reset(static_cast<XXH3_state_t*>(m_state));
}

CDigester::~CDigester() { XXH3_freeState(static_cast<XXH3_state_t*>(m_state)); }

void CDigester::Add(const void* bytes, size_t size) {
  if (m_state && size) XXH3_64bits_update(static_cast<XXH3_state_t*>(m_state), bytes, size);
}

CFileDigest CDigester::Finish() {
  CFileDigest digest;
  if (!m_state) return digest;
  digest.known = true;
  digest.value = XXH3_64bits_digest(static_cast<XXH3_state_t*>(m_state));
  return digest;
}

bool CHeldFile::Open(const std::string& path) {
  m_file.Reset(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  return m_file.IsValid();
}

bool CHeldFile::Digest(CFileDigest& digest) {
  LARGE_INTEGER start{};
  if (!m_file.IsValid() || !::SetFilePointerEx(m_file.Get(), start, nullptr, FILE_BEGIN)) return false;
  std::vector<char> piece(kPiece);
  CDigester digester;
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(m_file.Get(), piece.data(), kPiece, &read, nullptr)) return false;
    if (read == 0) break;
    digester.Add(piece.data(), read);
  }
  digest = digester.Finish();
  return digest.known;
}

CFileDigest DigestFile(const std::string& path) {
  CHeldFile file;
  CFileDigest digest;
  if (!file.Open(path) || !file.Digest(digest)) return CFileDigest();
  return digest;
}

bool CopyFileWithDigest(const std::string& from, const std::string& to, CFileDigest& digest) {
  CHeldFile source;
  if (!source.Open(from)) return false;
  CScopedHandle target(
      ::CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target.IsValid()) return false;
  std::vector<char> piece(kPiece);
  CDigester digester;
  ULONGLONG copied = 0;
  for (;;) {
    DWORD read = 0, written = 0;
    if (!::ReadFile(source.Get(), piece.data(), kPiece, &read, nullptr)) return false;
    if (read == 0) break;
    digester.Add(piece.data(), read);
    if (!::WriteFile(target.Get(), piece.data(), read, &written, nullptr)) return false;
    if (written != read) {
      ::SetLastError(ERROR_DISK_FULL);
      return false;
    }
    copied += read;
  }
  // A file held cannot grow or shrink: what was read is the whole of it,
  // and the copy must hold exactly that.
  if (copied != SizeOf(source.Get()) || copied != SizeOf(target.Get())) {
    ::SetLastError(ERROR_WRITE_FAULT);
    return false;
  }
  FILETIME written;
  if (::GetFileTime(source.Get(), nullptr, nullptr, &written)) ::SetFileTime(target.Get(), nullptr, nullptr, &written);
  digest = digester.Finish();
  if (!digest.known) ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return digest.known;
}
