#include "ui/frames/SkinDialog.h"

#include "ui/frames/SkinFrameImpl.h"

template class CSkinFrame<CDialog>;

IMPLEMENT_DYNAMIC(CSkinDialog, CDialog)

CSkinDialog::CSkinDialog() = default;
CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd) : CSkinFrame<CDialog>(nIDTemplate, pParentWnd) {}
CSkinDialog::~CSkinDialog() = default;
