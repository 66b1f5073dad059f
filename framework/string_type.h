#pragma once
// CString: the program's string type (ANSI). Holds its text in a std::string and
// converts implicitly to a C string for the API.
#include <windows.h>

#include <string>
#include <type_traits>
#include <utility>

class CString {
 public:
  CString() = default;
  CString(const char* psz) : m_text(psz ? psz : "") {}
  CString(const char* pch, int nLength) : m_text(pch ? std::string(pch, nLength > 0 ? nLength : 0) : "") {}
  CString(char ch, int nRepeat = 1) : m_text(nRepeat > 0 ? nRepeat : 0, ch) {}
  CString(const std::string& s) : m_text(s) {}

  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  char GetAt(int i) const { return m_text.at(static_cast<size_t>(i)); }
  void SetAt(int i, char ch) { m_text.at(static_cast<size_t>(i)) = ch; }
  char operator[](int i) const { return GetAt(i); }
  operator const char*() const { return m_text.c_str(); }
  const char* GetString() const { return m_text.c_str(); }
  const std::string& str() const { return m_text; }

  CString& operator=(const char* psz) { m_text = psz ? psz : ""; return *this; }
  CString& operator=(char ch) { m_text.assign(1, ch); return *this; }
  CString& operator+=(const CString& s) { m_text += s.m_text; return *this; }
  CString& operator+=(const char* psz) { if (psz) m_text += psz; return *this; }
  CString& operator+=(char ch) { m_text += ch; return *this; }
  void Append(const char* psz) { *this += psz; }
  void AppendChar(char ch) { m_text += ch; }

  int Compare(const char* psz) const;
  int CompareNoCase(const char* psz) const;
  int Collate(const char* psz) const { return Compare(psz); }

  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString SpanIncluding(const char* pszCharSet) const;
  CString SpanExcluding(const char* pszCharSet) const;
  CString Tokenize(const char* pszTokens, int& iStart) const;

  int Find(char ch, int nStart = 0) const;
  int Find(const char* psz, int nStart = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* pszCharSet) const;

  CString& MakeLower();
  CString& MakeUpper();
  CString& MakeReverse();
  CString& Trim() { TrimRight(); return TrimLeft(); }
  CString& Trim(char ch) { TrimRight(ch); return TrimLeft(ch); }
  CString& Trim(const char* pszTargets) { TrimRight(pszTargets); return TrimLeft(pszTargets); }
  CString& TrimLeft();
  CString& TrimLeft(char ch);
  CString& TrimLeft(const char* pszTargets);
  CString& TrimRight();
  CString& TrimRight(char ch);
  CString& TrimRight(const char* pszTargets);
  int Replace(char chOld, char chNew);
  int Replace(const char* pszOld, const char* pszNew);
  int Remove(char ch);
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, const char* psz);
  int Delete(int nIndex, int nCount = 1);

  // Formats with printf rules. CString arguments are passed as their C string,
  // so "%s" with a CString works and never reads an object through varargs.
  template <typename... Args>
  void Format(const char* pszFormat, const Args&... args) {
    FormatRaw(pszFormat, Pass(args)...);
  }
  template <typename... Args>
  void Format(UINT nFormatID, const Args&... args) {
    CString format;
    format.LoadString(nFormatID);
    FormatRaw(format, Pass(args)...);
  }
  template <typename... Args>
  void AppendFormat(const char* pszFormat, const Args&... args) {
    CString tail;
    tail.FormatRaw(pszFormat, Pass(args)...);
    *this += tail;
  }
  void FormatV(const char* pszFormat, va_list args);

  BOOL LoadString(UINT nID);

  char* GetBuffer(int nMinBufLength = 0);
  char* GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void Preallocate(int nLength) { m_text.reserve(static_cast<size_t>(nLength)); }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
  friend CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
  friend CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
  friend CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }
  friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
  friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
  friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }
  friend bool operator>(const CString& a, const CString& b) { return a.m_text > b.m_text; }
  friend bool operator<=(const CString& a, const CString& b) { return a.m_text <= b.m_text; }
  friend bool operator>=(const CString& a, const CString& b) { return a.m_text >= b.m_text; }

 private:
  template <typename T>
  static decltype(auto) Pass(const T& value) {
    if constexpr (std::is_same_v<T, CString>)
      return value.GetString();
    else
      return value;
  }
  void FormatRaw(const char* pszFormat, ...);

  std::string m_text;
};

// Loads a string resource of the program's resource module.
CString AfxLoadString(UINT nID);
