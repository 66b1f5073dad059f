#pragma once
// CCropDlg: cuts a freely shaped part out of a photo. The user draws
// rectangles, polygons and freehand shapes (combined by the modifier keys),
// sets the outline's smoothing and softness and saves; the album image list
// then calls SaveCrop for the picture and the three numbers that place it over
// its photo.
#include "crop/ImageEditPane.h"
#include "framework/framework.h"
#include "imagelib/ImgBitmap.h"
#include "ui/controls/ImageButton.h"

// Where a cut-out lies in its photo of width W and height H, in units of the
// photo's height: the centre's offset from the photo's centre (x to the right,
// y upwards) and the height.
void ComputeCropValues(const CRect& cut, int width, int height, float& cropX, float& cropY, float& ratioH);

// The pane's zoom for a zoom step: 1.1 raised to it, reciprocal below 0.
float ZoomForStep(int step);

class CCropDlg : public CDialog {
 public:
  explicit CCropDlg(CWnd* pParent = nullptr);
  ~CCropDlg() override;

  // Runs the dialog on the photo; IDOK when the user saved.
  INT_PTR EditImage(const CString& path);
  // Writes the cut-out as TIFF and gives its crop values; false (outputs
  // untouched, the user told why) when there is nothing to cut or it cannot
  // be written. Called after the dialog closed with OK.
  BOOL SaveCrop(const CString& path, float& cropX, float& cropY, float& ratioH);

  // What the dialog holds, for its callers and tests.
  CImageEditPane& GetPane() { return m_pane; }
  int GetToolType() const { return m_tool; }
  int GetZoomStep() const { return m_zoomStep; }
  const CImgBitmap& GetImage() const { return m_image; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnPaint();
  afx_msg LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnRectangleTool();
  afx_msg void OnFreehandTool();
  afx_msg void OnPolygonTool();
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnChangeTension();
  afx_msg void OnChangeFeather();
  afx_msg void OnSave();
  afx_msg void OnLoad();
  DECLARE_MESSAGE_MAP()

 private:
  void ChooseTool(int type);
  void ChangeZoom(int delta);
  // The value of an edit while it holds a whole number in 0..100; false
  // (nothing said) while it does not: the check with its message comes on saving.
  BOOL ReadPercent(int nID, int& value) const;

  HICON m_hIcon = nullptr;
  CImgBitmap m_image;
  CString m_path;
  CBrush m_background;
  CImageEditPane m_pane;
  CSpinButtonCtrl m_tensionSpin;
  CSpinButtonCtrl m_featherSpin;
  int m_tool = CImageEditPane::toolRectangle;
  int m_tension = 0;
  int m_feather = 0;
  int m_zoomStep = 0;
  CImageButton m_zoomIn;
  CImageButton m_zoomOut;
  CImageButton m_rectangleTool;
  CImageButton m_freehandTool;
  CImageButton m_polygonTool;
  CImageButton m_load;
  CImageButton m_save;
};
