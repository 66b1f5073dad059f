#include "document/AlbumLock.h"

bool CAlbumLock::Acquire(const std::string& projectPath) {
  Release();
  const std::string path = projectPath + ".lock";
  m_file.Reset(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return m_file.IsValid() || ::GetLastError() != ERROR_SHARING_VIOLATION;
}
