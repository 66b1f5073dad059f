#pragma once
// The system's file, colour and font dialogs and the shell folder browser, all
// asked through the UI seam.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/dialog.h"
#include "framework/position.h"

class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
 public:
  explicit CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<UINT>(0), pParentWnd) {}
  // The system dialog ends itself; the object only takes its data first.
  void OnOK() override;
  void OnCancel() override;
};

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // The filter is "name|pattern|name|pattern||".
  explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;

  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  // The one path chosen as the user chose it, before the code page held it
  // (where a letter it lacks is a look-alike or a "?"); empty for several.
  const std::wstring& GetWidePathName() const { return m_widePath; }
  // Several files chosen with OFN_ALLOWMULTISELECT (one file works too).
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  OPENFILENAMEA m_ofn{};

 protected:
  BOOL m_bOpenFileDialog;
  CString m_strFilter;
  CString m_strDefExt;
  CString m_strTitle;
  std::string m_fileBuffer;
  std::wstring m_widePath;
};

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
  static COLORREF* GetSavedCustomColors();
  CHOOSECOLORA m_cc{};
};

class CFontDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFontDialog)
 public:
  explicit CFontDialog(LPLOGFONTA lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                       CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
  // With CF_ENABLETEMPLATE in m_cf.Flags the dialog uses m_cf.lpTemplateName from
  // the program's resources; the dialog then runs with this object's message map.
  INT_PTR DoModal() override;

  void GetCurrentFont(LPLOGFONTA lplf);
  CString GetFaceName() const { return m_cf.lpLogFont->lfFaceName; }
  int GetSize() const { return m_cf.iPointSize; }
  COLORREF GetColor() const { return m_cf.rgbColors; }
  int GetWeight() const { return static_cast<int>(m_cf.lpLogFont->lfWeight); }
  BOOL IsBold() const { return m_cf.lpLogFont->lfWeight >= FW_SEMIBOLD; }
  BOOL IsItalic() const { return m_cf.lpLogFont->lfItalic != 0; }
  BOOL IsUnderline() const { return m_cf.lpLogFont->lfUnderline != 0; }
  BOOL IsStrikeOut() const { return m_cf.lpLogFont->lfStrikeOut != 0; }

  CHOOSEFONTA m_cf{};
  LOGFONTA m_lf{};
};

// The shell's folder browser: TRUE with the chosen folder in rPath, FALSE when
// cancelled. pWidePath, when given, gets the folder as the user chose it.
BOOL AfxBrowseForFolder(CWnd* pOwner, LPCSTR lpszTitle, UINT nFlags, CString& rPath,
                        std::wstring* pWidePath = nullptr);
