#pragma once
// The native form the wedding-data dialog shows where no browser can show its
// page: one labelled edit box per field, OK and Cancel. It works through the
// same script object as the page: the values come from SPAB_GetParam, and OK
// hands every field to SPAB_SetParam before SPAB_Confirm.
#include <oaidl.h>

#include <memory>
#include <vector>

#include "app/dialogs/PageFields.h"
#include "framework/framework.h"

class CDatiStandIn {
 public:
  // Edit boxes get the ids from here on, in field order.
  static constexpr UINT kFirstEditId = 2000;

  // Builds the form in the dialog, filled from the script object.
  void Create(CWnd* pDialog, const std::vector<PageField>& fields, IDispatch* pScript);
  BOOL IsShown() const { return m_pDialog != nullptr; }
  // Places the form across the dialog's client width; the height it needs.
  int Layout(int clientWidth);
  // The confirm and cancel paths of the page.
  void Confirm();
  void Cancel();

 private:
  struct Row {
    PageField field;
    std::unique_ptr<CStatic> label;
    std::unique_ptr<CEdit> edit;
  };
  CWnd* m_pDialog = nullptr;
  IDispatch* m_pScript = nullptr;
  std::vector<Row> m_rows;
  CButton m_ok;
  CButton m_cancel;
};
