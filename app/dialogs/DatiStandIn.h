#pragma once
// The native form the wedding-data dialog shows where no browser can show its
// page: one labelled edit box per field, OK and Cancel. It works through the
// same script object as the page: the values come from SPAB_GetParam, and OK
// hands every field to SPAB_SetParam before SPAB_Confirm.
#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/PageFields.h"
#include "framework/framework.h"

class CDatiStandIn {
 public:
  // Edit boxes get the ids from here on, in field order.
  static constexpr UINT kFirstEditId = 2000;
  static constexpr UINT kNoteId = 1999;

  // Builds the form in the dialog, filled from the script object; a form made
  // before (for an earlier run) is dropped first. A note, when given, stands
  // above the fields.
  void Create(CWnd* pDialog, const std::vector<PageField>& fields, IDispatch* pScript,
              const std::string& note = std::string());
  // Forgets the form; its windows go with the dialog's.
  void Reset();
  BOOL IsShown() const { return m_pDialog != nullptr; }
  size_t GetFieldCount() const { return m_rows.size(); }
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
  std::unique_ptr<CStatic> m_note;
  std::vector<Row> m_rows;
  std::unique_ptr<CButton> m_ok;
  std::unique_ptr<CButton> m_cancel;
};
