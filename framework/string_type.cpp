#include "framework/string_type.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/resources.h"

namespace {
bool isSpace(char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; }
size_t clampIndex(int i, size_t size) {
  if (i < 0) return 0;
  return std::min(static_cast<size_t>(i), size);
}
}  // namespace

int CString::Compare(const char* psz) const { return std::strcmp(m_text.c_str(), psz ? psz : ""); }

int CString::CompareNoCase(const char* psz) const {
  return ::lstrcmpiA(m_text.c_str(), psz ? psz : "");
}

CString CString::Left(int nCount) const {
  return CString(m_text.substr(0, clampIndex(nCount, m_text.size())));
}

CString CString::Right(int nCount) const {
  size_t n = clampIndex(nCount, m_text.size());
  return CString(m_text.substr(m_text.size() - n));
}

CString CString::Mid(int nFirst) const {
  return CString(m_text.substr(clampIndex(nFirst, m_text.size())));
}

CString CString::Mid(int nFirst, int nCount) const {
  size_t first = clampIndex(nFirst, m_text.size());
  return CString(m_text.substr(first, clampIndex(nCount, m_text.size() - first)));
}

CString CString::SpanIncluding(const char* set) const {
  size_t n = m_text.find_first_not_of(set ? set : "");
  return Left(n == std::string::npos ? GetLength() : static_cast<int>(n));
}

CString CString::SpanExcluding(const char* set) const {
  size_t n = m_text.find_first_of(set ? set : "");
  return Left(n == std::string::npos ? GetLength() : static_cast<int>(n));
}

CString CString::Tokenize(const char* tokens, int& iStart) const {
  if (iStart < 0 || iStart >= GetLength()) {
    iStart = -1;
    return CString();
  }
  size_t begin = m_text.find_first_not_of(tokens ? tokens : "", static_cast<size_t>(iStart));
  if (begin == std::string::npos) {
    iStart = -1;
    return CString();
  }
  size_t end = m_text.find_first_of(tokens ? tokens : "", begin);
  if (end == std::string::npos) end = m_text.size();
  iStart = static_cast<int>(end) + 1;
  return CString(m_text.substr(begin, end - begin));
}

int CString::Find(char ch, int nStart) const {
  if (nStart < 0 || nStart > GetLength()) return -1;
  size_t i = m_text.find(ch, static_cast<size_t>(nStart));
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

int CString::Find(const char* psz, int nStart) const {
  if (!psz || nStart < 0 || nStart > GetLength()) return -1;
  size_t i = m_text.find(psz, static_cast<size_t>(nStart));
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

int CString::ReverseFind(char ch) const {
  size_t i = m_text.rfind(ch);
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

int CString::FindOneOf(const char* set) const {
  size_t i = m_text.find_first_of(set ? set : "");
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

CString& CString::MakeLower() {
  if (!m_text.empty()) ::CharLowerBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
  return *this;
}

CString& CString::MakeUpper() {
  if (!m_text.empty()) ::CharUpperBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_text.begin(), m_text.end());
  return *this;
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_text.size() && isSpace(m_text[i])) ++i;
  m_text.erase(0, i);
  return *this;
}

CString& CString::TrimLeft(char ch) {
  size_t i = m_text.find_first_not_of(ch);
  m_text.erase(0, i == std::string::npos ? m_text.size() : i);
  return *this;
}

CString& CString::TrimLeft(const char* targets) {
  size_t i = m_text.find_first_not_of(targets ? targets : "");
  m_text.erase(0, i == std::string::npos ? m_text.size() : i);
  return *this;
}

CString& CString::TrimRight() {
  size_t n = m_text.size();
  while (n > 0 && isSpace(m_text[n - 1])) --n;
  m_text.resize(n);
  return *this;
}

CString& CString::TrimRight(char ch) {
  size_t i = m_text.find_last_not_of(ch);
  m_text.resize(i == std::string::npos ? 0 : i + 1);
  return *this;
}

CString& CString::TrimRight(const char* targets) {
  size_t i = m_text.find_last_not_of(targets ? targets : "");
  m_text.resize(i == std::string::npos ? 0 : i + 1);
  return *this;
}

int CString::Replace(char chOld, char chNew) {
  int count = 0;
  for (char& c : m_text)
    if (c == chOld) {
      c = chNew;
      ++count;
    }
  return count;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
  if (!pszOld || !*pszOld) return 0;
  const std::string from(pszOld), to(pszNew ? pszNew : "");
  int count = 0;
  for (size_t pos = m_text.find(from); pos != std::string::npos; pos = m_text.find(from, pos + to.size())) {
    m_text.replace(pos, from.size(), to);
    ++count;
  }
  return count;
}

int CString::Remove(char ch) {
  size_t before = m_text.size();
  m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
  return static_cast<int>(before - m_text.size());
}

int CString::Insert(int nIndex, char ch) {
  m_text.insert(clampIndex(nIndex, m_text.size()), 1, ch);
  return GetLength();
}

int CString::Insert(int nIndex, const char* psz) {
  if (psz) m_text.insert(clampIndex(nIndex, m_text.size()), psz);
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  size_t first = clampIndex(nIndex, m_text.size());
  m_text.erase(first, clampIndex(nCount, m_text.size() - first));
  return GetLength();
}

void CString::FormatV(const char* pszFormat, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int needed = std::vsnprintf(nullptr, 0, pszFormat ? pszFormat : "", copy);
  va_end(copy);
  if (needed < 0) {
    m_text.clear();
    return;
  }
  std::vector<char> buffer(static_cast<size_t>(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), pszFormat ? pszFormat : "", args);
  m_text.assign(buffer.data(), static_cast<size_t>(needed));
}

void CString::FormatRaw(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

BOOL CString::LoadString(UINT nID) {
  char buffer[4096];
  int n = ::LoadStringA(AfxGetResourceHandle(), nID, buffer, sizeof buffer);
  if (n <= 0) {
    m_text.clear();
    return FALSE;
  }
  m_text.assign(buffer, static_cast<size_t>(n));
  return TRUE;
}

char* CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) m_text.resize(static_cast<size_t>(nMinBufLength));
  return &m_text[0];
}

char* CString::GetBufferSetLength(int nNewLength) {
  m_text.resize(static_cast<size_t>(nNewLength > 0 ? nNewLength : 0));
  return &m_text[0];
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0)
    m_text.resize(std::strlen(m_text.c_str()));
  else
    m_text.resize(std::min(static_cast<size_t>(nNewLength), m_text.size()));
}

CString AfxLoadString(UINT nID) {
  CString s;
  s.LoadString(nID);
  return s;
}
