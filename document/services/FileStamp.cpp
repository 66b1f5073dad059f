#include "document/services/FileStamp.h"

#include <vector>

#include "document/services/Win32Handle.h"
#include "framework/ui_seam.h"

namespace {
// The system's own listing of a folder, the one call that gives a file's
// change time without opening the file.
struct IoStatus {
  union {
    LONG status;
    void* pointer;
  };
  ULONG_PTR information;
};
struct CountedName {
  USHORT length, maximumLength;  // in bytes
  PWSTR buffer;
};
struct DirectoryEntry {
  ULONG nextEntryOffset, fileIndex;
  LARGE_INTEGER creation, access, write, change, endOfFile, allocation;
  ULONG attributes, nameLength;
  WCHAR name[1];
};
using QueryDirectoryFile = LONG(WINAPI*)(HANDLE, HANDLE, void*, void*, IoStatus*, void*, ULONG, int, BOOLEAN,
                                          CountedName*, BOOLEAN);
constexpr int kDirectoryInformation = 1;
constexpr LONG kNoMoreFiles = static_cast<LONG>(0x80000006);

QueryDirectoryFile Query() {
  static const QueryDirectoryFile query = reinterpret_cast<QueryDirectoryFile>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryDirectoryFile")));
  return query;
}

HANDLE OpenListing(const std::string& folder) {
  return ::CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::string LowerCase(std::string name) {
  if (!name.empty()) ::CharLowerBuffA(&name[0], static_cast<DWORD>(name.size()));
  return name;
}

// 0 when it cannot be read: the stamp then goes by size and write time.
ULONGLONG ChangeTime(const std::string& path) {
  const QueryDirectoryFile query = Query();
  const size_t separator = path.find_last_of("\\/");
  if (!query || separator == std::string::npos || separator + 1 == path.size()) return 0;
  const std::string folder = path.substr(0, separator + 1), name = path.substr(separator + 1);
  // The file's name as the listing's pattern: it holds no wildcard.
  std::wstring wide = AfxWiden(name.c_str());
  if (wide.empty() || wide.size() > 255) return 0;
  const USHORT bytes = static_cast<USHORT>(wide.size() * sizeof(WCHAR));
  CountedName pattern{bytes, bytes, &wide[0]};
  const CScopedHandle listing(OpenListing(folder));
  if (!listing.IsValid()) return 0;
  std::vector<ULONGLONG> entry((sizeof(DirectoryEntry) + 512 + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG));
  IoStatus status{};
  if (query(listing.Get(), nullptr, nullptr, nullptr, &status, entry.data(),
            static_cast<ULONG>(entry.size() * sizeof(ULONGLONG)), kDirectoryInformation, TRUE, &pattern, TRUE) != 0)
    return 0;
  return static_cast<ULONGLONG>(reinterpret_cast<const DirectoryEntry*>(entry.data())->change.QuadPart);
}
}  // namespace

CFileStamp ReadFileStamp(const std::string& path) {
  CFileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return stamp;
  stamp.exists = true;
  stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.written = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                  data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

CFileStamp ReadContentStamp(const std::string& path) {
  CFileStamp stamp = ReadFileStamp(path);
  if (stamp.exists) stamp.changed = ChangeTime(path);
  return stamp;
}

CFolderChangeTimes::CFolderChangeTimes(const std::string& folder) {
  const QueryDirectoryFile query = Query();
  const CScopedHandle listing(OpenListing(folder));
  if (!query || !listing.IsValid()) return;
  std::vector<ULONGLONG> entries(64 * 1024 / sizeof(ULONGLONG));
  for (BOOLEAN first = TRUE;; first = FALSE) {
    IoStatus status{};
    const LONG result = query(listing.Get(), nullptr, nullptr, nullptr, &status, entries.data(),
                              static_cast<ULONG>(entries.size() * sizeof(ULONGLONG)), kDirectoryInformation, FALSE,
                              nullptr, first);
    if (result == kNoMoreFiles || result < 0) return;
    const char* at = reinterpret_cast<const char*>(entries.data());
    for (;;) {
      const auto* entry = reinterpret_cast<const DirectoryEntry*>(at);
      const std::string name = AfxNarrow(std::wstring(entry->name, entry->nameLength / sizeof(WCHAR)));
      if (!name.empty()) m_times[LowerCase(name)] = static_cast<ULONGLONG>(entry->change.QuadPart);
      if (entry->nextEntryOffset == 0) break;
      at += entry->nextEntryOffset;
    }
  }
}

ULONGLONG CFolderChangeTimes::Of(const std::string& name) const {
  const auto found = m_times.find(LowerCase(name));
  return found == m_times.end() ? 0 : found->second;
}
