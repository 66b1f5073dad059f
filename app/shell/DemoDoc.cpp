#include "app/shell/DemoDoc.h"

#include "app/shell/SposalboApp.h"

IMPLEMENT_DYNCREATE(CDemoDoc, CDocument)

CDemoDoc::CDemoDoc() { m_strTitle.Empty(); }

BOOL CDemoDoc::SaveModified() {
  auto* app = dynamic_cast<CSposalboApp*>(AfxGetApp());
  return app ? app->SaveAllModified() : TRUE;
}
