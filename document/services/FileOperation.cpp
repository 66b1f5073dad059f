#include "document/services/FileOperation.h"

#include <cstdlib>
#include <vector>

#include "document/services/DocumentMessageBox.h"
#include "document/services/PathNames.h"
#include "document/services/SystemMessage.h"
#include "document/services/TreeDelete.h"
#include "document/services/Win32Handle.h"

namespace {
const char kCopyOf[] = "Copy of ";
const int kCopyOfLength = 8;
// A folder full of copies must not keep the copy loop going for ever.
const int kMaxCopyNameTries = 100000;

CFileOperation::FileCopier g_copier = nullptr;

bool EndsWithSeparator(const CString& path) {
  return !path.IsEmpty() && (path[path.GetLength() - 1] == '\\' || path[path.GetLength() - 1] == '/');
}

CString WithSeparator(const CString& path) { return EndsWithSeparator(path) ? path : path + "\\"; }

CString WithoutSeparator(CString path) {
  while (path.GetLength() > 1 && EndsWithSeparator(path)) path = path.Left(path.GetLength() - 1);
  return path;
}

// The folder part of a path, without its trailing backslash.
CString ParentOf(const CString& path) {
  CString trimmed = WithoutSeparator(path);
  const char* name = FindFileName(trimmed);
  return WithoutSeparator(trimmed.Left(static_cast<int>(name - trimmed.GetString())));
}

int CountSeparators(const CString& path) {
  int n = 0;
  for (int i = 0; i < path.GetLength(); ++i)
    if (path[i] == '\\') ++n;
  return n;
}

// True when inner is outer itself or lies below it.
bool IsWithin(const CString& inner, const CString& outer) {
  CString folder = WithSeparator(outer);
  CString candidate = WithSeparator(inner);
  return candidate.GetLength() >= folder.GetLength() &&
         candidate.Left(folder.GetLength()).CompareNoCase(folder) == 0;
}

bool CanOpenForReading(const char* path) {
  CScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.IsValid();
}

struct FolderEntry {
  CString name;
  bool isFolder;
};

// All entries of a folder but "." and "..", read before anything is written into
// the tree, so a copy never walks into what it has just made.
bool ListFolder(const CString& folder, std::vector<FolderEntry>& entries) {
  WIN32_FIND_DATAA data;
  CScopedFind find(::FindFirstFileA(folder + "*.*", &data));
  if (!find.IsValid()) return false;
  do {
    CString name(data.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileA(find.Get(), &data));
  return true;
}
}  // namespace

CFExeption::CFExeption(DWORD dwErrCode) : m_sError(SystemMessage(dwErrCode)), m_dwError(dwErrCode) {}

CFExeption::CFExeption(const CString& sErrText) : m_sError(sErrText), m_dwError(0) {}

void CFileOperation::Reset() {
  m_sError = "No error";
  m_dwError = 0;
  m_bAskIfReadOnly = true;
  m_bOverwrite = false;
  m_bAborted = false;
  m_iRecursionLimit = -1;
}

int CFileOperation::GetPathKind(const char* path, bool bMissingIsFile) const {
  DWORD attributes = ::GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return bMissingIsFile ? kPathFile : kPathMissing;
    return kPathError;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kPathFolder : kPathFile;
}

CString CFileOperation::MakeCopyName(const char* path) {
  const char* fileName = FindFileName(path);
  const char* extension = FindExtension(path);
  CString folder(path, static_cast<int>(fileName - path));
  CString name(fileName, static_cast<int>(extension - fileName));

  CString copyName;
  int open = name.Find('(');
  int close = name.Find(')');
  if (name.Find("Copy ") < 0) {
    copyName = kCopyOf + name;
  } else if (open < 0) {
    copyName = "Copy (1) of " + name.Mid(kCopyOfLength);
  } else if (close < open) {
    // No ")" after the "(": not one of our numbered copies.
    copyName = kCopyOf + name;
  } else {
    int number = std::atoi(name.Mid(open + 1, close - open - 1));
    copyName.Format("%s%d%s%s", "Copy (", number + 1, ") of ", name.Mid(close + 5).GetString());
  }
  return folder + copyName + extension;
}

bool CFileOperation::Copy(const char* source, const char* target) {
  CString src(source ? source : "");
  CString dst(target ? target : "");
  try {
    DoCopy(src, dst);
  } catch (const CFExeption& error) {
    m_iRecursionLimit = -1;
    Fail(error);
    return false;
  }
  m_iRecursionLimit = -1;
  Succeed();
  return true;
}

void CFileOperation::DoCopy(const CString& source, const CString& target) {
  int sourceKind = GetPathKind(source);
  if (sourceKind == kPathFolder && ParentOf(source).CompareNoCase(WithoutSeparator(target)) == 0)
    return;  // the folder is already there
  if (IsWithin(target, source))
    m_iRecursionLimit = CountSeparators(WithoutSeparator(target)) - CountSeparators(WithoutSeparator(source));

  if (sourceKind == kPathError) throw CFExeption(::GetLastError());
  if (sourceKind == kPathMissing) throw CFExeption(source + " not found");
  int targetKind = GetPathKind(target, true);
  if (targetKind == kPathError) throw CFExeption(::GetLastError());

  if (sourceKind == kPathFolder) {
    if (targetKind != kPathFolder) throw CFExeption(CString("Wrong operation"));
    CopyFolderInto(source, target, 0);
  } else if (targetKind == kPathFolder) {
    CopyFileTo(source, WithSeparator(target) + FindFileName(source));
  } else {
    CopyFileTo(source, target);
  }
}

void CFileOperation::CopyFileTo(const CString& source, CString target) {
  if (!m_bOverwrite) {
    int tries = 0;
    while (CanOpenForReading(target)) {
      if (++tries > kMaxCopyNameTries) throw CFExeption(static_cast<DWORD>(ERROR_FILE_EXISTS));
      target = MakeCopyName(target);
    }
  }
  const BOOL copied = g_copier ? g_copier(source, target, FALSE) : ::CopyFileA(source, target, FALSE);
  if (!copied) throw CFExeption(::GetLastError());
}

CFileOperation::FileCopier CFileOperation::SetFileCopier(FileCopier copier) {
  FileCopier previous = g_copier;
  g_copier = copier;
  return previous;
}

void CFileOperation::CopyFolderInto(CString source, CString target, int depth) {
  source = WithSeparator(source);
  target = WithSeparator(target);
  std::vector<FolderEntry> entries;
  if (!ListFolder(source, entries)) throw CFExeption(source + " not found");

  CString folder = target + FindFileName(WithoutSeparator(source)) + "\\";
  if (!::CreateDirectoryA(folder, nullptr)) {
    DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS) throw CFExeption(error);
  }
  for (const FolderEntry& entry : entries) {
    if (!entry.isFolder) {
      CopyFileTo(source + entry.name, folder + entry.name);
    } else if (m_iRecursionLimit < 0 || depth + 1 <= m_iRecursionLimit) {
      CopyFolderInto(source + entry.name, folder, depth + 1);
    }
  }
}

bool CFileOperation::Delete(const char* path) {
  try {
    DoDelete(CString(path ? path : ""));
  } catch (const CFExeption& error) {
    Fail(error);
    return false;
  }
  Succeed();
  return true;
}

// The tree delete on Win32: a reparse point (a folder link, a junction or a
// file link) is a link; files are deleted through the read-only question.
class CFileOperation::TreeSystem : public ITreeDeleteSystem {
 public:
  explicit TreeSystem(CFileOperation& owner) : m_owner(owner) {}

  Kind KindOf(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw CFExeption(::GetLastError());
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Kind::kLink;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::kFolder : Kind::kFile;
  }
  std::vector<std::string> List(const std::string& folder) override {
    std::vector<FolderEntry> entries;
    ListFolder(WithSeparator(CString(folder)), entries);
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) names.push_back(entry.name.str());
    return names;
  }
  std::string Join(const std::string& folder, const std::string& name) override {
    return (WithSeparator(CString(folder)) + name.c_str()).str();
  }
  bool IsSeparator(char c) override { return c == '\\' || c == '/'; }
  void RemoveFile(const std::string& path) override { m_owner.DeleteOneFile(CString(path)); }
  void RemoveLink(const std::string& path) override {
    const CString link(path);
    const DWORD attributes = ::GetFileAttributesA(link);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!(folder ? ::RemoveDirectoryA(link) : ::DeleteFileA(link))) throw CFExeption(::GetLastError());
  }
  void RemoveFolder(const std::string& path) override {
    if (!::RemoveDirectoryA(WithSeparator(CString(path)))) throw CFExeption(::GetLastError());
  }

 private:
  CFileOperation& m_owner;
};

void CFileOperation::DoDelete(const CString& path) {
  if (path.IsEmpty()) throw CFExeption(static_cast<DWORD>(ERROR_INVALID_NAME));
  TreeSystem system(*this);
  DeleteTree(system, path.str());
}

void CFileOperation::DeleteOneFile(const CString& path) {
  DWORD attributes = ::GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    if (m_bAskIfReadOnly) {
      CString question = CString(FindFileName(path)) + " is read olny. Do you want delete it?";
      switch (DocumentMessageBox(question, "Warning", MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
          break;
        case IDCANCEL:
          m_bAborted = true;
          throw CFExeption(CString("Operation aborted"));
        default:
          throw CFExeption(CString("Operation cancelled"));
      }
    }
    ::SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (!::DeleteFileA(path)) throw CFExeption(::GetLastError());
}

void CFileOperation::Fail(const CFExeption& error) {
  m_sError = error.GetErrorText();
  m_dwError = error.GetErrorCode();
}

void CFileOperation::Succeed() {
  m_sError = "No error";
  m_dwError = 0;
}
