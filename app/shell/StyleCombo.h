#pragma once
// The toolbar's graphics-style combo: "Standard" (the program's library
// folders), "Personalizzate" (the custom graphics folder) and the styles
// named under the registry key "Software\Velmora\<program>\style". Choosing
// one points the library lists at its folders.
#include <string>
#include <vector>

#include "framework/framework.h"

class CSposalboStyleCombo : public CComboBox {
 public:
  static constexpr UINT kId = 1026;

  // Fills the combo right after its creation.
  void Fill();
  // The style key of an item; empty for the first two.
  std::string GetStyleKey(int index) const;

 protected:
  afx_msg BOOL OnSelEndOk();
  afx_msg BOOL OnDropDown();
  DECLARE_MESSAGE_MAP()

 private:
  std::vector<std::string> m_keys;
};
