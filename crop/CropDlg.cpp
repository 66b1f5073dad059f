#include "crop/CropDlg.h"

#include "crop/CropResources.h"

namespace {
// The dialog's face and the transparent colour of its button pictures.
constexpr COLORREF kDialogColour = 0xF9DCCB;
constexpr COLORREF kTransparent = 0xFF00FF;
constexpr float kZoomStepFactor = 1.1f;
constexpr char kCropCaption[] = "Ritaglio";

void tellUser(LPCSTR text, UINT type) {
  HWND owner = nullptr;
  CWnd::GetSafeOwner(nullptr, &owner);
  AfxGetUiSeam()->MessageBox(owner, text, kCropCaption, MB_OK | type);
}
}  // namespace

void ComputeCropValues(const CRect& cut, int width, int height, float& cropX, float& cropY, float& ratioH) {
  const float H = static_cast<float>(height), W = static_cast<float>(width);
  ratioH = static_cast<float>(cut.bottom - cut.top) / H;
  cropX = static_cast<float>(cut.left + cut.right) * 0.5f * (1.0f / H) - (W / H) * 0.5f;
  cropY = 0.5f - static_cast<float>(cut.top + cut.bottom) * 0.5f * (1.0f / H);
}

float ZoomForStep(int step) {
  float zoom = 1.0f;
  for (int i = 0; i < (step < 0 ? -step : step); ++i) zoom *= kZoomStepFactor;
  return step < 0 ? 1.0f / zoom : zoom;
}

BEGIN_MESSAGE_MAP(CCropDlg, CDialog)
  ON_WM_PAINT()
  ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
  ON_WM_CTLCOLOR()
  ON_BN_CLICKED(IDC_CROP_RECTANGLE, OnRectangleTool)
  ON_BN_CLICKED(IDC_CROP_FREEHAND, OnFreehandTool)
  ON_BN_CLICKED(IDC_CROP_POLYGON, OnPolygonTool)
  ON_BN_CLICKED(IDC_CROP_ZOOM_IN, OnZoomIn)
  ON_BN_CLICKED(IDC_CROP_ZOOM_OUT, OnZoomOut)
  ON_EN_CHANGE(IDC_CROP_TENSION, OnChangeTension)
  ON_EN_CHANGE(IDC_CROP_FEATHER, OnChangeFeather)
  ON_BN_CLICKED(IDC_CROP_SAVE, OnSave)
  ON_BN_CLICKED(IDC_CROP_LOAD, OnLoad)
END_MESSAGE_MAP()

CCropDlg::CCropDlg(CWnd* pParent) : CDialog(IDD_CROP, pParent) {
  m_hIcon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_CROP_DIALOG), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE | LR_SHARED));
  m_background.CreateSolidBrush(kDialogColour);
}

CCropDlg::~CCropDlg() = default;

INT_PTR CCropDlg::EditImage(const CString& path) {
  m_path = path;
  return DoModal();
}

void CCropDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CROP_PANE, m_pane);
  DDX_Control(pDX, IDC_CROP_ZOOM_IN, m_zoomIn);
  DDX_Control(pDX, IDC_CROP_ZOOM_OUT, m_zoomOut);
  DDX_Control(pDX, IDC_CROP_RECTANGLE, m_rectangleTool);
  DDX_Control(pDX, IDC_CROP_FREEHAND, m_freehandTool);
  DDX_Control(pDX, IDC_CROP_POLYGON, m_polygonTool);
  DDX_Control(pDX, IDC_CROP_LOAD, m_load);
  DDX_Control(pDX, IDC_CROP_SAVE, m_save);
  // The values before their up-down controls: the edits' change messages are
  // acted on only once those exist.
  DDX_Text(pDX, IDC_CROP_TENSION, m_tension);
  DDV_MinMaxInt(pDX, m_tension, 0, 100);
  DDX_Text(pDX, IDC_CROP_FEATHER, m_feather);
  DDV_MinMaxInt(pDX, m_feather, 0, 100);
  DDX_Control(pDX, IDC_CROP_TENSION_SPIN, m_tensionSpin);
  DDX_Control(pDX, IDC_CROP_FEATHER_SPIN, m_featherSpin);
}

BOOL CCropDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  m_tensionSpin.SetRange(0, 100);
  m_featherSpin.SetRange(0, 100);

  m_zoomIn.SetBitmaps(IDB_CROP_ZOOM_IN_HOT, kTransparent, IDB_CROP_ZOOM_IN, kTransparent);
  m_zoomOut.SetBitmaps(IDB_CROP_ZOOM_OUT_HOT, kTransparent, IDB_CROP_ZOOM_OUT, kTransparent);
  m_rectangleTool.SetBitmaps(IDB_CROP_RECTANGLE_HOT, kTransparent, IDB_CROP_RECTANGLE, kTransparent);
  m_freehandTool.SetBitmaps(IDB_CROP_FREEHAND_HOT, kTransparent, IDB_CROP_FREEHAND, kTransparent);
  m_polygonTool.SetBitmaps(IDB_CROP_POLYGON_HOT, kTransparent, IDB_CROP_POLYGON, kTransparent);
  m_load.SetBitmaps(IDB_CROP_LOAD_HOT, kTransparent, IDB_CROP_LOAD, kTransparent);
  m_save.SetBitmaps(IDB_CROP_SAVE_HOT, kTransparent, IDB_CROP_SAVE, kTransparent);
  m_rectangleTool.SetCheck(1, TRUE);
  m_freehandTool.SetCheck(0, TRUE);
  m_polygonTool.SetCheck(0, TRUE);

  m_pane.SetBackgroundColour(kDialogColour, FALSE);
  // The ticked tool draws from the start, without a press on its button first.
  m_pane.SetTool(m_tool);
  if (m_image.Load(m_path, 2, 1)) {
    m_zoomStep = 0;
    m_pane.SetImage(&m_image, TRUE);
    m_pane.SetZoom(1.0f, FALSE);
    // Without its bars the pane still shows the whole photo; zooming in is
    // then refused (ChangeZoom).
    m_pane.EnableScrollBars(TRUE);
    m_pane.Invalidate();
  }
  return TRUE;
}

void CCropDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
  CRect client;
  GetClientRect(&client);
  int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  if (m_hIcon) ::DrawIcon(dc.m_hDC, x, y, m_hIcon);
}

LRESULT CCropDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }

HBRUSH CCropDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_EDIT) return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (nCtlColor == CTLCOLOR_STATIC) pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(m_background.m_hObject);
}

void CCropDlg::ChooseTool(int type) {
  m_tool = type;
  m_rectangleTool.SetCheck(type == CImageEditPane::toolRectangle, TRUE);
  m_freehandTool.SetCheck(type == CImageEditPane::toolFreehand, TRUE);
  m_polygonTool.SetCheck(type == CImageEditPane::toolPolygon, TRUE);
  m_pane.SetTool(type);
}

void CCropDlg::OnRectangleTool() { ChooseTool(CImageEditPane::toolRectangle); }
void CCropDlg::OnFreehandTool() { ChooseTool(CImageEditPane::toolFreehand); }
void CCropDlg::OnPolygonTool() { ChooseTool(CImageEditPane::toolPolygon); }

void CCropDlg::ChangeZoom(int delta) {
  // A step the pane cannot show (a picture below a pixel, or beyond the
  // largest zoom) is not taken; nor one beyond the view while the pane has
  // no scroll bars to reach the rest of the photo with.
  float zoom = ZoomForStep(m_zoomStep + delta);
  if (!m_pane.CanZoom(zoom) || (zoom > 1.0f && !m_pane.HasScrollBars())) return;
  m_zoomStep += delta;
  m_pane.SetZoom(zoom, TRUE);
}

void CCropDlg::OnZoomIn() { ChangeZoom(1); }
void CCropDlg::OnZoomOut() { ChangeZoom(-1); }

BOOL CCropDlg::ReadPercent(int nID, int& value) const {
  BOOL translated = FALSE;
  int v = static_cast<int>(GetDlgItemInt(nID, &translated, TRUE));
  if (!translated || v < 0 || v > 100) return FALSE;
  value = v;
  return TRUE;
}

void CCropDlg::OnChangeTension() {
  if (!m_tensionSpin.m_hWnd) return;
  if (ReadPercent(IDC_CROP_TENSION, m_tension)) m_pane.SetTension(m_tension * 0.01f);
}

void CCropDlg::OnChangeFeather() {
  if (!m_featherSpin.m_hWnd) return;
  if (ReadPercent(IDC_CROP_FEATHER, m_feather)) m_pane.SetFeather(m_feather * 0.01f);
}

void CCropDlg::OnSave() {
  // Values outside 0..100 are refused here with the exchange's message.
  if (!UpdateData(TRUE)) return;
  m_pane.SetTension(m_tension * 0.01f);
  m_pane.SetFeather(m_feather * 0.01f);
  EndDialog(IDOK);
}

void CCropDlg::OnOK() { OnSave(); }

void CCropDlg::OnLoad() { EndDialog(IDCANCEL); }

BOOL CCropDlg::SaveCrop(const CString& path, float& cropX, float& cropY, float& ratioH) {
  CRect cut;
  switch (m_pane.SaveCrop(path, &cut)) {
    case CutOutResult::written:
      ComputeCropValues(cut, m_image.GetWidth(), m_image.GetHeight(), cropX, cropY, ratioH);
      return TRUE;
    case CutOutResult::noImage:
      tellUser("Impossibile aprire la foto da ritagliare.", MB_ICONERROR);
      return FALSE;
    case CutOutResult::emptySelection:
      tellUser("Nessuna parte della foto selezionata: niente da ritagliare.", MB_ICONWARNING);
      return FALSE;
    default: {
      CString text;
      text.Format("Impossibile salvare il ritaglio in %s.", static_cast<LPCSTR>(path));
      tellUser(text, MB_ICONERROR);
      return FALSE;
    }
  }
}
