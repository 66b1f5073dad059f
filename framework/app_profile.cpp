// The application's settings under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section> (or an INI
// file when no registry key is set).
#include <cstring>

#include "framework/app.h"

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
  m_pszRegistryKey = m_strRegistryKey;
  m_strProfileName = m_strAppName;
  m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) { SetRegistryKey(AfxLoadString(nIDRegistryKey)); }

HKEY CWinApp::GetAppRegistryKey() {
  if (!m_pszRegistryKey || !*m_pszRegistryKey) return nullptr;
  CString path = CString("Software\\") + m_pszRegistryKey + "\\" + m_pszProfileName;
  HKEY hKey = nullptr;
  DWORD disposition = 0;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &hKey, &disposition) != ERROR_SUCCESS)
    return nullptr;
  return hKey;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection) {
  HKEY hApp = GetAppRegistryKey();
  if (!hApp) return nullptr;
  HKEY hSection = nullptr;
  DWORD disposition = 0;
  LONG rc = ::RegCreateKeyExA(hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, nullptr, &hSection, &disposition);
  ::RegCloseKey(hApp);
  return rc == ERROR_SUCCESS ? hSection : nullptr;
}

namespace {
// Closes a registry key when leaving scope.
struct RegKey {
  HKEY h;
  ~RegKey() {
    if (h) ::RegCloseKey(h);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
};
}  // namespace

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
  CString fallback(lpszDefault);
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return fallback;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key.h, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return fallback;
    CString value;
    char* buffer = value.GetBuffer(static_cast<int>(size) + 1);
    if (::RegQueryValueExA(key.h, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
      return fallback;
    }
    buffer[size] = '\0';
    value.ReleaseBuffer();
    return value;
  }
  char buffer[4096] = "";
  ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", buffer,
                             sizeof buffer, m_pszProfileName);
  return buffer;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    if (!lpszEntry) {  // no entry: the whole section goes
      RegKey app{GetAppRegistryKey()};
      return app.h && ::RegDeleteKeyA(app.h, lpszSection) == ERROR_SUCCESS;
    }
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return FALSE;
    if (!lpszValue) return ::RegDeleteValueA(key.h, lpszEntry) == ERROR_SUCCESS;
    return ::RegSetValueExA(key.h, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(std::strlen(lpszValue) + 1)) == ERROR_SUCCESS;
  }
  return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return static_cast<UINT>(nDefault);
    DWORD type = 0, value = 0, size = sizeof value;
    if (::RegQueryValueExA(key.h, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
      return static_cast<UINT>(nDefault);
    return value;
  }
  return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueExA(key.h, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value) == ERROR_SUCCESS;
  }
  CString text;
  text.Format("%d", nValue);
  return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
}
