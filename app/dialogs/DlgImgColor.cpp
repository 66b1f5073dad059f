#include "app/dialogs/DlgImgColor.h"

#include <algorithm>

#include "document/pages/PaginaTreeNode.h"

namespace {
constexpr COLORREF kDialogBackground = 0xF9DCCB;

// Flags set for a scope and cleared at its end.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
  ~ScopedFlag() { m_flag = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& m_flag;
};
}  // namespace

BEGIN_MESSAGE_MAP(CDlgImgColor, CDialog)
  ON_MESSAGE(WM_BITMAPSLIDER_MOVING, OnSliderMoving)
  ON_MESSAGE(WM_BITMAPSLIDER_MOVED, OnSliderMoved)
  ON_NOTIFY_RANGE(UDN_DELTAPOS, IDC_COL_RED_SPIN, IDC_COL_ALPHA_SPIN, OnSpinDelta)
  ON_CONTROL_RANGE(EN_CHANGE, IDC_COL_RED_EDIT, IDC_COL_ALPHA_EDIT, OnEditChange)
  ON_WM_CTLCOLOR()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CDlgImgColor::CDlgImgColor(CWnd* pParent, PageSource currentPage, RenderingPause setRenderingPaused)
    : CDialog(IDD, pParent),
      m_currentPage(std::move(currentPage)),
      m_setRenderingPaused(std::move(setRenderingPaused)) {
  m_background.CreateSolidBrush(kDialogBackground);
}

void CDlgImgColor::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (size_t i = 0; i < kColourChannelCount; ++i) {
    DDX_Control(pDX, kColourChannels[i].sliderId, m_channels[i].slider);
    DDX_Control(pDX, kColourChannels[i].spinId, m_channels[i].spin);
    DDX_Control(pDX, kColourChannels[i].editId, m_channels[i].edit);
  }
}

BOOL CDlgImgColor::OnInitDialog() {
  if (m_setRenderingPaused) m_setRenderingPaused(true);
  ScopedFlag updating(m_updatingControls);
  CDialog::OnInitDialog();

  m_colour.Reset();
  treeNode::CPaginaTreeNode* page = m_currentPage ? m_currentPage() : nullptr;
  if (page) {
    if (const CImgColor* selection = page->GetColourSettings()) m_colour = *selection;
  }
  for (size_t i = 0; i < kColourChannelCount; ++i) {
    const ColourChannel& c = kColourChannels[i];
    Channel& channel = m_channels[i];
    channel.position = ColourPositionOfValue(m_colour.*c.field, c.scale);
    channel.slider.SetChannelBitmap(IDB_SLIDER_CHANNEL, IDB_SLIDER_CHANNEL_ACTIVE, FALSE, kSliderColourAtPixel, 0, 0);
    channel.slider.SetThumbBitmap(IDB_SLIDER_THUMB, IDB_SLIDER_THUMB_ACTIVE, TRUE, kSliderColourAtPixel, 0, 0);
    channel.slider.EnableFocusRect(FALSE);
    channel.slider.SetRange(m_nMin, m_nMax);
    channel.slider.SetPos(channel.position);
    channel.slider.SetMargin(2, 3, 2, 0);
    channel.spin.SetBuddy(&channel.edit);
    channel.spin.SetRange(m_nMin, m_nMax);
    channel.spin.SetPos(channel.position);
  }
  return TRUE;
}

void CDlgImgColor::Preview(bool alphaAlone) {
  treeNode::CPaginaTreeNode* page = m_currentPage ? m_currentPage() : nullptr;
  if (!page) return;
  if (alphaAlone)
    page->SetAlpha(m_colour.alpha, true);
  else
    page->SetColourSettings(&m_colour, true);
}

LRESULT CDlgImgColor::OnSliderMoving(WPARAM wParam, LPARAM) {
  const size_t i = ColourChannelOfControl(static_cast<int>(wParam));
  if (i == kColourChannelCount || kColourChannels[i].sliderId != static_cast<int>(wParam)) return 0;
  Channel& channel = m_channels[i];
  channel.position = channel.slider.GetPos();
  {
    // The spin button rewrites its edit box; that is no typing of the user.
    ScopedFlag updating(m_updatingControls);
    channel.spin.SetPos(channel.position);
  }
  m_colour.*kColourChannels[i].field = ColourValueOfPosition(channel.position, kColourChannels[i].scale);
  Preview(false);
  return 0;
}

LRESULT CDlgImgColor::OnSliderMoved(WPARAM, LPARAM) { return 0; }

void CDlgImgColor::TakeSpinPosition(size_t i, int position) {
  Channel& channel = m_channels[i];
  channel.position = position;
  channel.slider.SetPos(position);
  m_colour.*kColourChannels[i].field = ColourValueOfPosition(position, kColourChannels[i].scale);
  Preview(kColourChannels[i].alphaAlone);
}

void CDlgImgColor::OnSpinDelta(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const size_t i = ColourChannelOfControl(static_cast<int>(nID));
  if (i == kColourChannelCount) return;
  // The position before this step; the edit box's change that follows brings
  // the final one.
  const int position = reinterpret_cast<NMUPDOWN*>(pNMHDR)->iPos;
  TakeSpinPosition(i, std::clamp(position, m_nMin, m_nMax));
}

void CDlgImgColor::OnEditChange(UINT nID) {
  if (m_updatingControls) return;
  const size_t i = ColourChannelOfControl(static_cast<int>(nID));
  if (i == kColourChannelCount || !m_channels[i].spin.m_hWnd) return;
  Channel& channel = m_channels[i];
  CString text;
  channel.edit.GetWindowText(text);
  bool outOfRange = false;
  const int position = ColourPositionOfText(text, channel.position, &outOfRange);
  if (outOfRange) {
    // A number beyond the range is written back as the nearest end.
    ScopedFlag updating(m_updatingControls);
    channel.spin.SetPos(position);
  }
  TakeSpinPosition(i, position);
}

void CDlgImgColor::OnOK() {
  if (treeNode::CPaginaTreeNode* page = m_currentPage ? m_currentPage() : nullptr)
    page->SetColourSettings(&m_colour, false);
  CDialog::OnOK();
}

void CDlgImgColor::OnCancel() {
  if (treeNode::CPaginaTreeNode* page = m_currentPage ? m_currentPage() : nullptr) page->ReapplyColour();
  CDialog::OnCancel();
}

HBRUSH CDlgImgColor::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_EDIT) return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (nCtlColor == CTLCOLOR_STATIC) pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(m_background.m_hObject);
}

void CDlgImgColor::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  // The previews are drawn while the dialog is open.
  if (m_setRenderingPaused) m_setRenderingPaused(false);
}
