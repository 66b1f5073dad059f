#pragma once
// Copies and deletes files and folder trees for the album and its laboratory
// export, and reports a failure as a result with a readable (English) text rather
// than an exception.
#include <windows.h>

#include "framework/string_type.h"

// The failure that travels inside the operations; the public operations catch it.
class CFExeption {
 public:
  // A system error: the text is the system's message for the code.
  explicit CFExeption(DWORD dwErrCode);
  // An error of the operations' own (code 0).
  explicit CFExeption(const CString& sErrText);

  const CString& GetErrorText() const { return m_sError; }
  DWORD GetErrorCode() const { return m_dwError; }

 private:
  CString m_sError;
  DWORD m_dwError;
};

class CFileOperation {
 public:
  enum PathKind { kPathError = -1, kPathMissing = 0, kPathFile = 1, kPathFolder = 2 };

  CFileOperation() { Reset(); }

  // Back to the defaults: "No error", ask before deleting read-only files, never
  // overwrite, not aborted, no recursion limit.
  void Reset();

  // 2 folder, 1 file, 0 when the path or its folder does not exist (1 instead when
  // bMissingIsFile), -1 on any other error.
  int GetPathKind(const char* path, bool bMissingIsFile = false) const;

  // Copies a file to a file path or into a folder, or a folder tree into a folder.
  bool Copy(const char* source, const char* target);

  // Deletes a file or a whole folder tree; a link in the tree goes as a link,
  // what it leads to stays.
  bool Delete(const char* path);

  // The next copy name beside path: "Copy of a.jpg", "Copy (1) of a.jpg", ...
  static CString MakeCopyName(const char* path);

  // Copies one file as the system does; tests may put one of their own in
  // place (a disk that fills up). Returns the one set before; null restores
  // the system's.
  using FileCopier = BOOL (*)(const char* source, const char* target, BOOL failIfExists);
  static FileCopier SetFileCopier(FileCopier copier);

  const CString& GetErrorString() const { return m_sError; }
  DWORD GetErrorCode() const { return m_dwError; }
  bool IsAborted() const { return m_bAborted; }
  void SetAskIfReadOnly(bool bAsk) { m_bAskIfReadOnly = bAsk; }
  bool GetAskIfReadOnly() const { return m_bAskIfReadOnly; }
  void SetOverwriteMode(bool bOverwrite) { m_bOverwrite = bOverwrite; }
  bool GetOverwriteMode() const { return m_bOverwrite; }

 private:
  class TreeSystem;

  void DoCopy(const CString& source, const CString& target);
  void CopyFileTo(const CString& source, CString target);
  void CopyFolderInto(CString source, CString target, int depth);
  void DoDelete(const CString& path);
  void DeleteOneFile(const CString& path);
  void Fail(const CFExeption& error);
  void Succeed();

  CString m_sError;
  DWORD m_dwError = 0;
  bool m_bAskIfReadOnly = true;
  bool m_bOverwrite = false;
  bool m_bAborted = false;
  int m_iRecursionLimit = -1;
};
