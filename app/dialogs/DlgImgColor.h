#pragma once
// "Modifica colori": red, green, blue, brightness, contrast, saturation and
// transparency of the current page's selection, each with a bitmap slider, a
// spin button and an edit box. Every change is previewed on the page at once;
// OK keeps it, Cancel gives the objects their own colours back.
#include <functional>

#include "app/dialogs/ColourChannels.h"
#include "app/resource.h"
#include "document/nodes/ImgColor.h"
#include "framework/framework.h"
#include "ui/controls/BitmapSlider.h"

namespace treeNode {
class CPaginaTreeNode;
}

class CDlgImgColor : public CDialog {
 public:
  enum { IDD = IDD_IMG_COLOR };
  // The page whose selection is recoloured (asked again at each run), and the
  // switch of the main frame's rendering pause.
  using PageSource = std::function<treeNode::CPaginaTreeNode*()>;
  using RenderingPause = std::function<void(bool paused)>;

  CDlgImgColor(CWnd* pParent, PageSource currentPage, RenderingPause setRenderingPaused);

  const CImgColor& GetColour() const { return m_colour; }
  int GetChannelPosition(size_t channel) const { return m_channels[channel].position; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg LRESULT OnSliderMoving(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSpinDelta(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnEditChange(UINT nID);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  struct Channel {
    int position = 50;
    CBitmapSlider slider;
    CSpinButtonCtrl spin;
    CEdit edit;
  };
  // A channel takes a new position from its spin button or edit box: the
  // slider follows and the page previews the colour (the alpha alone for
  // transparency).
  void TakeSpinPosition(size_t channel, int position);
  void Preview(bool alphaAlone);

  int m_nMin = kColourPositionMin;
  int m_nMax = kColourPositionMax;
  CImgColor m_colour;
  CBrush m_background;
  Channel m_channels[kColourChannelCount];
  PageSource m_currentPage;
  RenderingPause m_setRenderingPaused;
  // Set while the dialog writes into its own edit boxes.
  bool m_updatingControls = false;
};
