#pragma once
// Calling a function of an automation object by name, the way a page's script
// does: the name resolved first, then the call with its arguments.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

class CScriptCall {
 public:
  CScriptCall() = default;
  ~CScriptCall();
  CScriptCall(const CScriptCall&) = delete;
  CScriptCall& operator=(const CScriptCall&) = delete;

  CScriptCall& Arg(const char* text);
  // A text as typed, every character as it is.
  CScriptCall& Arg(const std::wstring& text);
  CScriptCall& Arg(int value);
  // DISP_E_UNKNOWNNAME for a name the object lacks; otherwise the call's
  // result. pResult (when given) must be an initialised variant.
  HRESULT Invoke(IDispatch* target, const char* name, VARIANT* pResult = nullptr);

 private:
  std::vector<VARIANT> m_args;  // in the script's order
};
