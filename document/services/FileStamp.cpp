#include "document/services/FileStamp.h"

#include "document/services/Win32Handle.h"

namespace {
// The system's basic information of an open file; the change time is
// nowhere in the documented calls of the systems the program runs on.
struct BasicInformation {
  LARGE_INTEGER creation, access, write, change;
  ULONG attributes;
};
struct IoStatus {
  union {
    LONG status;
    void* pointer;
  };
  ULONG_PTR information;
};
using QueryInformationFile = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, int);
constexpr int kBasicInformation = 4;

QueryInformationFile Query() {
  static const QueryInformationFile query = reinterpret_cast<QueryInformationFile>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
  return query;
}

// 0 when it cannot be read: the stamp then goes by size and write time.
ULONGLONG ChangeTime(const std::string& path) {
  const QueryInformationFile query = Query();
  if (!query) return 0;
  // Asking for the attributes only: no program's sharing stands in the way.
  const CScopedHandle file(::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
  if (!file.IsValid()) return 0;
  IoStatus status{};
  BasicInformation basic{};
  if (query(file.Get(), &status, &basic, sizeof basic, kBasicInformation) != 0) return 0;
  return static_cast<ULONGLONG>(basic.change.QuadPart);
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
  stamp.changed = ChangeTime(path);
  return stamp;
}
