#pragma once
// Every modal interaction with the user goes through one replaceable object:
// message boxes, file/folder/colour/font dialogs and modal dialogs. The program
// uses the real one; tests install a CScriptedUi so nothing ever waits for a user.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <functional>

#include "framework/string_type.h"

class CWnd;

class CUiSeam {
 public:
  virtual ~CUiSeam() = default;
  virtual int MessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
  virtual BOOL GetOpenFileName(OPENFILENAMEA* pOfn);
  virtual BOOL GetSaveFileName(OPENFILENAMEA* pOfn);
  virtual BOOL ChooseColor(CHOOSECOLORA* pCc);
  virtual BOOL ChooseFont(CHOOSEFONTA* pCf);
  // The chosen folder in rPath; FALSE when cancelled.
  virtual BOOL BrowseForFolder(BROWSEINFOA* pBi, CString& rPath);
  // Called before a modal dialog runs. Returning TRUE ends it at once with
  // rResult (the dialog is never shown). Returning FALSE runs the real modal
  // loop; a non-empty rAction then runs once the dialog is initialised.
  virtual BOOL BeforeModal(CWnd* pDialog, UINT nIDTemplate, INT_PTR& rResult,
                           std::function<void(CWnd*)>& rAction);
  // An error nobody else handled (an exception stopped at a window procedure).
  virtual void ReportError(LPCSTR lpszText);
};

CUiSeam* AfxGetUiSeam();
// Installs another seam (null restores the real one); returns the previous one.
CUiSeam* AfxSetUiSeam(CUiSeam* pSeam);
