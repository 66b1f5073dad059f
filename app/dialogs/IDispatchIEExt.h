#pragma once
// CIDispatchIEExt: the object the wedding-data page's script reaches as its
// external object. It offers five functions by name (SPAB_GetParam,
// SPAB_SetParam, SPAB_Confirm, SPAB_Cancel, SPAB_Resize) over a map of named
// text values, read from the album's data node before a run and written back
// when the page confirms. A value with characters the system's code page
// cannot hold is not taken, and the confirm names them and leaves the page
// open to be corrected. Made once by the main frame, which deletes it:
// letting go of the last reference does not.
#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>

namespace treeNode {
class CDatiTreeNode;
}

// What the script object asks of the dialog that shows the page.
class IScriptDialogActions {
 public:
  virtual ~IScriptDialogActions() = default;
  virtual void ScriptConfirm() = 0;
  virtual void ScriptCancel() = 0;
  virtual void ScriptResize(int width, int height) = 0;
};

class CIDispatchIEExt : public IDispatch {
 public:
  // The script functions' dispatch ids.
  enum { idGetParam = 1, idSetParam = 2, idConfirm = 3, idCancel = 4, idResize = 5 };
  // The largest window SPAB_Resize accepts, per side, in pixels.
  static constexpr int kMaxResize = 16384;

  explicit CIDispatchIEExt(IScriptDialogActions* pDialog);
  virtual ~CIDispatchIEExt() = default;
  CIDispatchIEExt(const CIDispatchIEExt&) = delete;
  CIDispatchIEExt& operator=(const CIDispatchIEExt&) = delete;

  // Remembers the data node and fills the map from its variables (a later
  // variable of the same name wins).
  void LoadParams(treeNode::CDatiTreeNode* pDati);
  // Replaces the data node's variables by the map, in ascending name order.
  void StoreParams();
  const std::map<std::string, std::string>& GetParams() const { return m_params; }
  LONG GetRefCount() const { return m_refs; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
  STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

 private:
  IScriptDialogActions* m_pDialog;
  treeNode::CDatiTreeNode* m_pDati = nullptr;
  LONG m_refs = 0;
  std::map<std::string, std::string> m_params;
  // The fields last set to a value with characters the code page cannot
  // hold, and those characters.
  std::map<std::string, std::string> m_unkept;
};
