#pragma once
// The frame template over CDialog: a dialog with a themed system menu (and a
// themed menu bar when it is given one). Nothing in the editor makes one; it
// completes the family of themed frames.
#include "ui/frames/SkinFrame.h"

extern template class CSkinFrame<CDialog>;

class CSkinDialog : public CSkinFrame<CDialog> {
  DECLARE_DYNAMIC(CSkinDialog)
 public:
  CSkinDialog();
  explicit CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CSkinDialog() override;
};
