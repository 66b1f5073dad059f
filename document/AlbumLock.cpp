#include "document/AlbumLock.h"

#include <utility>

namespace {
// Far past the end of the empty file: a program reading the file never meets
// the locked byte.
constexpr DWORD kLockedByte = 0x7FFFFFF0;
}  // namespace

CAlbumLock::Result CAlbumLock::Acquire(const std::string& projectPath) {
  Release();
  m_path = projectPath + ".lock";
  // Read access alone, shared for reading: every editor and any reader may
  // open the file, a read-only one too. No sharing for deletion, so that an
  // editor closing the album leaves the file of the next one in place.
  CScopedHandle file(::CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_HIDDEN, nullptr));
  if (!file.IsValid()) {
    m_error = ::GetLastError();
    // An editor of before held its lock file without any sharing.
    return m_error == ERROR_SHARING_VIOLATION ? kHeldElsewhere : kUnlocked;
  }
  OVERLAPPED at{};
  at.Offset = kLockedByte;
  if (!::LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    m_error = ::GetLastError();
    return m_error == ERROR_LOCK_VIOLATION ? kHeldElsewhere : kUnlocked;
  }
  m_file = std::move(file);
  m_error = 0;
  return kLocked;
}

void CAlbumLock::Release() {
  if (!m_file.IsValid()) return;
  m_file.Reset();
  // Fails, leaving it, while another editor has opened the file meanwhile.
  ::DeleteFileA(m_path.c_str());
}
