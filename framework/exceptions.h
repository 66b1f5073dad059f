#pragma once
// The layer's exceptions. They are thrown as pointers to heap objects (the
// catcher calls Delete), as the program's code expects; the window procedure
// barrier catches and deletes any that escape a handler.
#include <windows.h>

#include <exception>

#include "framework/runtime.h"
#include "framework/string_type.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  CException() = default;
  // Frees an exception caught by pointer.
  void Delete() { delete this; }
  virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
  CString GetMessageText() const;
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CResourceException : public CException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CInvalidArgException : public CException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum { none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
         invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
         lockViolation, diskFull, endOfFile };
  explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = nullptr)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}
  static int OsErrorToException(LONG lOsError);
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);

// How exceptions escaping a handler are reported (they never cross a window
// procedure). Replaceable for tests; the default goes through the UI seam.
typedef void (*AFX_EXCEPTION_REPORTER)(const char* what);
void AfxSetExceptionReporter(AFX_EXCEPTION_REPORTER pfn);
void AfxReportHandlerException(const char* what);

// Runs code that no exception may leave (a window procedure, a message handler,
// a thread's body): whatever escapes is reported, and deleted if thrown by
// pointer. Returns false when something escaped. `where` completes "unknown
// exception in …" for throws of other types.
template <class Body>
bool AfxCallReportingExceptions(Body&& body, const char* where) {
  try {
    body();
    return true;
  } catch (CException* e) {
    AfxReportHandlerException(e->GetMessageText());
    e->Delete();
  } catch (const std::exception& e) {
    AfxReportHandlerException(e.what());
  } catch (...) {
    AfxReportHandlerException(CString("unknown exception in ") + where);
  }
  return false;
}

// The program has one module; the state guard of exported entry points has
// nothing to switch.
#define AFX_MANAGE_STATE(p) ((void)(p))
inline void* AfxGetStaticModuleState() { return nullptr; }
