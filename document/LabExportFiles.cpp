#include "document/LabExportFiles.h"

#include <windows.h>

#include <cstring>

#include "document/services/FileDigest.h"
#include "document/services/FileOperation.h"

namespace {
// The system's sentence goes inside the export's own ones: without its full
// stop or line end.
std::string AsClause(std::string reason) {
  while (!reason.empty() && std::strchr(" .\r\n\t", reason.back())) reason.pop_back();
  return reason;
}

class CSystemLabExportFiles : public ILabExportFiles {
 public:
  bool Exists(const std::string& path) override {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool Move(const std::string& from, const std::string& to) override {
    if (::MoveFileA(from.c_str(), to.c_str())) return true;
    m_error = AsClause(CFExeption(::GetLastError()).GetErrorText().str());
    return false;
  }
  bool RemoveTree(const std::string& folder) override {
    CFileOperation files;
    files.SetAskIfReadOnly(false);
    if (files.Delete(folder.c_str())) return true;
    m_error = AsClause(files.GetErrorString().str());
    return false;
  }
  CopyResult Copy(const std::string& from, const std::string& to, CFileDigest& copied) override {
    // A file copied again (still written the first time) replaces its copy.
    if (CopyFileWithDigest(from, to, copied)) return CopyResult::kCopied;
    const DWORD error = ::GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return CopyResult::kHeld;
    m_error = AsClause(CFExeption(error).GetErrorText().str());
    return CopyResult::kFailed;
  }
  void Pause(unsigned milliseconds) override { ::Sleep(milliseconds); }
  std::string LastError() override { return m_error; }

 private:
  std::string m_error;
};

CSystemLabExportFiles g_system;
ILabExportFiles* g_current = &g_system;
}  // namespace

ILabExportFiles& GetLabExportFiles() { return *g_current; }

ILabExportFiles* SetLabExportFiles(ILabExportFiles* files) {
  ILabExportFiles* previous = g_current;
  g_current = files ? files : &g_system;
  return previous;
}
