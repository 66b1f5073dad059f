#pragma once
// Every modal interaction with the user goes through one replaceable object:
// message boxes, file/folder/colour/font dialogs and modal dialogs. The program
// uses the real one; tests install a CScriptedUi so nothing ever waits for a user.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "framework/string_type.h"

class CWnd;

class CUiSeam {
 public:
  virtual ~CUiSeam() = default;
  virtual int MessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
  // The file dialogs fill pOfn as the system's ANSI ones do. The one path
  // chosen also comes back in rWidePath as the user chose it: the code page
  // holds a "?" or a look-alike for a letter it lacks, which names another
  // file or none. Empty for several files chosen.
  virtual BOOL GetOpenFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath);
  virtual BOOL GetSaveFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath);
  virtual BOOL ChooseColor(CHOOSECOLORA* pCc);
  virtual BOOL ChooseFont(CHOOSEFONTA* pCf);
  // The chosen folder in rPath, and as the user chose it in rWidePath;
  // FALSE when cancelled.
  virtual BOOL BrowseForFolder(BROWSEINFOA* pBi, CString& rPath, std::wstring& rWidePath);
  // Called before a modal dialog runs. Returning TRUE ends it at once with
  // rResult (the dialog is never shown). Returning FALSE runs the real modal
  // loop; a non-empty rAction then runs once the dialog is initialised.
  virtual BOOL BeforeModal(CWnd* pDialog, UINT nIDTemplate, INT_PTR& rResult,
                           std::function<void(CWnd*)>& rAction);
  // An error nobody else handled (an exception stopped at a window procedure).
  virtual void ReportError(LPCSTR lpszText);
};

// Text of the code page in UTF-16, and back as the system's ANSI calls give
// it: a letter the code page lacks becomes a look-alike or a "?".
std::wstring AfxWiden(const char* text);
std::string AfxNarrow(const std::wstring& text);

// One chosen path into pOfn as the ANSI file dialogs return it: its code-page
// text in lpstrFile, with the offsets of its name and extension. FALSE when it
// does not fit, with the size it needs in the buffer's first two bytes.
BOOL AfxStoreChosenPath(OPENFILENAMEA* pOfn, const std::wstring& widePath);

CUiSeam* AfxGetUiSeam();
// Installs another seam (null restores the real one); returns the previous one.
CUiSeam* AfxSetUiSeam(CUiSeam* pSeam);
