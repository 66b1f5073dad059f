#include "document/services/SystemMessage.h"

CString SystemMessage(DWORD code) {
  char* buffer = nullptr;
  DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  CString text;
  if (length && buffer) text = CString(buffer, static_cast<int>(length));
  if (buffer) ::LocalFree(buffer);
  if (text.IsEmpty()) text.Format("System error %lu", static_cast<unsigned long>(code));
  return text.TrimRight();
}
