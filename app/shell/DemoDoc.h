#pragma once
// The framework document the single-document template needs. The album is
// not a framework document (the main frame owns it), so this one only carries
// the window title and asks the album's save question when the program closes.
#include "framework/framework.h"

class CDemoDoc : public CDocument {
  DECLARE_DYNCREATE(CDemoDoc)
 public:
  CDemoDoc();
  BOOL SaveModified() override;
};
