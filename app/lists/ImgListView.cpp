#include "app/lists/ImgListView.h"

#include <algorithm>
#include <memory>

#include "app/lists/DragImage.h"
#include "app/lists/Thumbnail.h"
#include "app/shell/EditorFrame.h"
#include "app/surface/PageStatic.h"

IMPLEMENT_DYNAMIC(CImgListView, CListCtrl)

BEGIN_MESSAGE_MAP(CImgListView, CListCtrl)
  ON_WM_DESTROY()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_SIZE()
  ON_MESSAGE(kThumbnailMessage, OnThumbnail)
  ON_MESSAGE(kLoadDoneMessage, OnLoadDone)
  ON_NOTIFY_REFLECT_EX(LVN_BEGINDRAG, OnBeginDrag)
  ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClk)
END_MESSAGE_MAP()

namespace {
// The program's drop cursor.
constexpr int kDropCursor = 106;

// What the loader posts for one file; the list takes the bitmap.
struct Thumbnail {
  int generation;
  CString name;
  HBITMAP bitmap;
};

// Where the drag image's top-left lies relative to the cursor.
const POINT kDragHotSpot{-10, -14};

void FreeThumbnail(LPARAM lParam) {
  std::unique_ptr<Thumbnail> thumbnail(reinterpret_cast<Thumbnail*>(lParam));
  if (thumbnail) ::DeleteObject(thumbnail->bitmap);
}
}  // namespace

// Everything the loader reads, copied for it: the files to make thumbnails
// of, already filtered by the list on its own thread. The loader never calls
// into the list, so no part of a list being destroyed can be reached from it;
// only the stop flag is shared, and the list joins the loader before it goes.
struct CImgListView::Job {
  struct File {
    CString name;  // as the list stores it
    CString path;
  };
  HWND target;
  int generation;
  bool withMasks;
  std::vector<File> files;
  std::atomic<bool>* stop;
};

CImgListView::CImgListView() = default;

CImgListView::~CImgListView() {
  StopLoading();
  DestroyWindow();
}

BOOL CImgListView::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CListCtrl::Create(style, rect, parent, id)) return FALSE;
  SetBkColor(kListBackground);
  return TRUE;
}

void CImgListView::SetFolder(const CString& folder) {
  m_folder = folder;
  while (m_folder.GetLength() > 1 && m_folder[m_folder.GetLength() - 1] == '\\')
    m_folder = m_folder.Left(m_folder.GetLength() - 1);
}

void CImgListView::SetStyle(const char* styleKey, bool custom) {
  m_styleKey = styleKey ? styleKey : "";
  m_custom = custom;
}

bool CImgListView::AcceptFile(const CString&) const { return true; }

void CImgListView::DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) {
  surface.DropPhoto(static_cast<const char*>(name), screen);
}

void CImgListView::UpdateItemState(int) {}

CString CImgListView::PathOf(const CString& name) const {
  if (m_fileListMode) return name;
  return m_folder + "\\" + name;
}

CSposalboPageStatic* CImgListView::Surface() const {
  IEditorFrame* frame = GetEditorFrame();
  return frame ? frame->GetPageSurface() : nullptr;
}

bool CImgListView::EnsureImageList() {
  if (m_thumbnails.GetSafeHandle()) return true;
  if (!m_thumbnails.Create(kThumbnailSize, kThumbnailSize, ILC_COLOR32, 0, 1)) return false;
  SetImageList(&m_thumbnails, LVSIL_NORMAL);
  FitRowsTo(kThumbnailSize);
  return true;
}

void CImgListView::FitRowsTo(int imageHeight) {
  // A row is a picture with its label line under it: the system's spacing
  // adds room below that, and a list just tall enough for the pictures would
  // show a vertical scroll bar with nothing to scroll.
  CClientDC dc(this);
  CFont* font = GetFont();
  CFont* old = font ? dc.SelectObject(font) : nullptr;
  TEXTMETRICA metrics{};
  dc.GetTextMetrics(&metrics);
  if (old) dc.SelectObject(old);
  m_rowHeight = imageHeight + kRowPadding + static_cast<int>(metrics.tmHeight);
  const DWORD spacing = static_cast<DWORD>(SendMessage(LVM_GETITEMSPACING, FALSE, 0));
  m_systemColumn = LOWORD(spacing);
  SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(m_systemColumn, m_rowHeight));
  FitColumnsToWidth();
}

void CImgListView::FitColumnsToWidth() {
  if (m_rowHeight == 0 || !m_hWnd) return;
  int imageWidth = 0, imageHeight = 0;
  CImageList* images = GetImageList(LVSIL_NORMAL);
  if (!images || !::ImageList_GetIconSize(images->GetSafeHandle(), &imageWidth, &imageHeight)) return;
  // The width a column has beside the vertical scroll bar, whether the bar
  // shows now or not, so that its coming and going changes nothing here.
  CRect client;
  GetClientRect(&client);
  int room = client.Width();
  if (!(GetStyle() & WS_VSCROLL)) room -= ::GetSystemMetrics(SM_CXVSCROLL);
  const int column = std::min(m_systemColumn, std::max(imageWidth, room));
  const DWORD spacing = static_cast<DWORD>(SendMessage(LVM_GETITEMSPACING, FALSE, 0));
  if (LOWORD(spacing) == column) return;
  SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(column, m_rowHeight));
  Arrange(LVA_DEFAULT);
}

void CImgListView::OnSize(UINT nType, int cx, int cy) {
  CListCtrl::OnSize(nType, cx, cy);
  FitColumnsToWidth();
}

void CImgListView::ClearItems() {
  SetRedraw(FALSE);
  if (EnsureImageList()) m_thumbnails.SetImageCount(0);
  DeleteAllItems();
  m_names.clear();
  SetRedraw(TRUE);
}

void CImgListView::StopLoading() {
  if (m_thread.IsValid()) {
    m_stop = true;
    // The loader only posts to this window and never waits for it, so a plain
    // wait cannot deadlock.
    ::WaitForSingleObject(m_thread.Get(), INFINITE);
    m_thread.Reset();
  }
  m_stop = false;
  m_loading = false;
  // Thumbnails of the stopped load still queued are stale: the next load has
  // a new number, and a window going away frees them here.
  ++m_generation;
}

void CImgListView::StartLoader(std::vector<CString> names, bool scanFolder) {
  StopLoading();
  if (!m_hWnd) return;
  ClearItems();
  auto job = std::make_unique<Job>();
  job->target = m_hWnd;
  job->generation = m_generation;
  job->withMasks = MasksShapePictures();
  job->stop = &m_stop;
  const CString folder = m_subfolder.IsEmpty() ? m_folder : m_folder + "\\" + m_subfolder;
  if (scanFolder) {
    const CString prefix = m_subfolder.IsEmpty() ? CString() : m_subfolder + "\\";
    WIN32_FIND_DATAA entry;
    CScopedFind find(::FindFirstFileA(folder + "\\*.*", &entry));
    for (bool more = find.IsValid(); more; more = ::FindNextFileA(find.Get(), &entry) != 0)
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && AcceptFile(entry.cFileName))
        job->files.push_back({prefix + entry.cFileName, folder + "\\" + entry.cFileName});
  } else {
    for (const CString& name : names)
      if (AcceptFile(name)) job->files.push_back({name, m_fileListMode ? name : folder + "\\" + name});
  }
  HANDLE thread = ::CreateThread(nullptr, 0, LoaderMain, job.get(), 0, nullptr);
  if (!thread) return;
  job.release();  // the loader owns it now
  m_thread.Reset(thread);
  m_loading = true;
}

void CImgListView::LoadFolderAsync() {
  m_fileListMode = false;
  StartLoader({}, true);
}

void CImgListView::LoadFilesAsync(const std::vector<CString>& names, bool fileListMode) {
  m_fileListMode = fileListMode;
  StartLoader(names, false);
}

DWORD WINAPI CImgListView::LoaderMain(void* argument) {
  std::unique_ptr<Job> job(static_cast<Job*>(argument));
  // Nothing may leave a thread's body: a file that cannot be made into a
  // thumbnail (out of memory on a huge one) becomes no item, and a failure
  // around the files ends the load as it stands.
  try {
    for (const Job::File& file : job->files) {
      if (*job->stop) break;
      try {
        OwnedBitmap bitmap = MakeThumbnail(static_cast<const char*>(file.path), job->withMasks);
        if (!bitmap) continue;  // an unreadable file becomes no item
        auto* thumbnail = new Thumbnail{job->generation, file.name, bitmap.release()};
        if (!::PostMessageA(job->target, kThumbnailMessage, 0, reinterpret_cast<LPARAM>(thumbnail)))
          FreeThumbnail(reinterpret_cast<LPARAM>(thumbnail));
      } catch (...) {
      }
    }
  } catch (...) {
  }
  ::PostMessageA(job->target, kLoadDoneMessage, static_cast<WPARAM>(job->generation), 0);
  return 0;
}

LRESULT CImgListView::OnThumbnail(WPARAM, LPARAM lParam) {
  // The thumbnails queued meanwhile go in with this one: the list lays out
  // all its items after each insertion it shows, so it shows them together.
  SetRedraw(FALSE);
  for (MSG queued;;) {
    std::unique_ptr<Thumbnail> thumbnail(reinterpret_cast<Thumbnail*>(lParam));
    OwnedBitmap bitmap(thumbnail->bitmap);
    if (thumbnail->generation == m_generation) AppendThumbnail(thumbnail->name, bitmap.get());
    if (!::PeekMessageA(&queued, m_hWnd, kThumbnailMessage, kThumbnailMessage, PM_REMOVE)) break;
    lParam = queued.lParam;
  }
  SetRedraw(TRUE);
  return 0;
}

LRESULT CImgListView::OnLoadDone(WPARAM wParam, LPARAM) {
  if (static_cast<int>(wParam) != m_generation) return 0;
  m_loading = false;
  // The loader posts this as its last act. Its handle stays: the next
  // StopLoading (a new load, a clear, the list's end) joins it, so no thread of
  // the list outlives the list, and this handler never waits for one.
  Invalidate();
  return 0;
}

void CImgListView::AppendThumbnail(const CString& name, HBITMAP bitmap) {
  if (!EnsureImageList()) return;
  CBitmap cell;
  cell.Attach(bitmap);
  const int image = m_thumbnails.Add(&cell, static_cast<CBitmap*>(nullptr));
  cell.Detach();
  if (image < 0) return;
  const int index = GetItemCount();
  if (InsertItem(index, "", image) < 0) {
    m_thumbnails.Remove(image);
    return;
  }
  m_names.push_back(name);
  UpdateItemState(index);
}

int CImgListView::GetItemImage(int item) const {
  LVITEMA lv{};
  lv.mask = LVIF_IMAGE;
  lv.iItem = item;
  return GetItem(&lv) ? lv.iImage : -1;
}

bool CImgListView::AddFile(const CString& name) {
  CString path = m_subfolder.IsEmpty() ? m_folder : m_folder + "\\" + m_subfolder;
  OwnedBitmap bitmap = MakeThumbnail(static_cast<const char*>(path + "\\" + name), MasksShapePictures());
  if (!bitmap) return false;
  AppendThumbnail(name, bitmap.get());
  return true;
}

bool CImgListView::RefreshThumbnail(const CString& name, const CString& path) {
  for (size_t i = 0; i < m_names.size(); ++i) {
    if (m_names[i] != name) continue;
    OwnedBitmap bitmap = MakeThumbnail(static_cast<const char*>(path), MasksShapePictures());
    if (!bitmap || !EnsureImageList()) return false;
    CBitmap cell;
    cell.Attach(bitmap.get());
    m_thumbnails.Replace(GetItemImage(static_cast<int>(i)), &cell, nullptr);
    cell.Detach();
    RedrawItems(static_cast<int>(i), static_cast<int>(i));
    return true;
  }
  return false;
}

bool CImgListView::SelectItemNamed(const CString& name) {
  const auto found = std::find(m_names.begin(), m_names.end(), name);
  if (found == m_names.end()) return false;
  const int index = static_cast<int>(found - m_names.begin());
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
    if (i != index) SetItemState(i, 0, LVIS_SELECTED);
  SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  return true;
}

void CImgListView::RemoveItem(int index) {
  if (index < 0 || static_cast<size_t>(index) >= m_names.size()) return;
  // A focused item that goes hands its focus to the next one, and the control
  // scrolls that one into sight: the list would jump under the user's eyes.
  SetItemState(index, 0, LVIS_FOCUSED);
  DeleteItem(index);
  m_names.erase(m_names.begin() + index);
  // The items after it close the gap, as an arranged list keeps them.
  if (GetStyle() & LVS_AUTOARRANGE) Arrange(LVA_DEFAULT);
}

void CImgListView::ClearThumbnails() {
  if (!m_thumbnails.GetSafeHandle()) return;
  StopLoading();
  ClearItems();
  Invalidate();
}

CString CImgListView::GetFirstSelectedName() const {
  const int index = GetNextItem(-1, LVNI_SELECTED);
  return index >= 0 && static_cast<size_t>(index) < m_names.size() ? m_names[static_cast<size_t>(index)] : CString();
}

void CImgListView::OnDestroy() {
  StopLoading();
  EndDrag();
  // Thumbnails posted but not yet taken are freed with their bitmaps.
  MSG msg;
  while (::PeekMessageA(&msg, m_hWnd, kThumbnailMessage, kThumbnailMessage, PM_REMOVE)) FreeThumbnail(msg.lParam);
  CListCtrl::OnDestroy();
}

HWND CImgListView::WindowAt(POINT screen) const { return ::WindowFromPoint(screen); }

bool CImgListView::IsLeftButtonDown() const { return ::GetKeyState(VK_LBUTTON) < 0; }

BOOL CImgListView::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const auto* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
  // Some list controls name the item under the pointer, which a quick hand
  // has already left; the item pressed is the one dragged.
  const int item = view->iItem >= 0 ? view->iItem : m_pressedItem;
  POINT screen = view->ptAction;
  ClientToScreen(&screen);
  return m_dragging || BeginDragOf(item, screen);
}

bool CImgListView::BeginDragOf(int item, POINT screen) {
  IEditorFrame* frame = GetEditorFrame();
  if (!frame || !frame->GetAlbum()) return false;
  if (item < 0 || static_cast<size_t>(item) >= m_names.size()) return false;
  m_dragItem = item;
  CImageList* images = GetImageList(LVSIL_NORMAL);
  m_dragImage = images ? MakeDragImage(*images, GetItemImage(m_dragItem)) : nullptr;
  m_dragArea.SetRectEmpty();
  if (m_dragImage) {
    m_dragImage->BeginDrag(0, CPoint(kDragHotSpot));
    const POINT at = DragImagePoint(screen);
    CImageList::DragEnter(nullptr, at);
    TrackDragImage(at);
  }
  m_dragging = true;
  frame->SetRenderPaused(true);
  SetCapture();
  return true;
}

void CImgListView::OnLButtonDown(UINT nFlags, CPoint point) {
  m_pressedItem = HitTest(point);
  m_pressedAt = point;
  CListCtrl::OnLButtonDown(nFlags, point);
  // Where the control itself does not hold the mouse while the button is
  // down (it has not started a drag, nor seen the button go up), the list
  // does, so a hand moving quickly off the item still drags it.
  if (!m_dragging && m_pressedItem >= 0 && IsLeftButtonDown() && ::GetCapture() != m_hWnd) SetCapture();
}

void CImgListView::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_dragging && m_pressedItem >= 0 && ::GetCapture() == m_hWnd) {
    if (!(nFlags & MK_LBUTTON)) {
      m_pressedItem = -1;
      ::ReleaseCapture();
    } else {
      CRect still(m_pressedAt, m_pressedAt);
      still.InflateRect(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
      POINT screen = point;
      ClientToScreen(&screen);
      if (!still.PtInRect(point)) BeginDragOf(m_pressedItem, screen);
    }
  }
  if (!m_dragging) {
    CListCtrl::OnMouseMove(nFlags, point);
    return;
  }
  POINT screen = point;
  ClientToScreen(&screen);
  if (m_dragImage) {
    const POINT at = DragImagePoint(screen);
    CImageList::DragMove(at);
    TrackDragImage(at);
  }
  CSposalboPageStatic* surface = Surface();
  const bool overSurface = surface && surface->m_hWnd && WindowAt(screen) == surface->m_hWnd;
  HCURSOR cursor = overSurface ? ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kDropCursor)) : nullptr;
  ::SetCursor(cursor ? cursor : ::LoadCursor(nullptr, overSurface ? IDC_ARROW : IDC_NO));
}

POINT CImgListView::DragImagePoint(POINT screen) const {
  IMAGEINFO info{};
  if (!m_dragImage || !m_dragImage->GetImageInfo(0, &info)) return screen;
  return KeepDragImageOnScreen(screen, CRect(info.rcImage).Size(), kDragHotSpot);
}

void CImgListView::TrackDragImage(POINT screen) {
  IMAGEINFO info{};
  if (!m_dragImage || !m_dragImage->GetImageInfo(0, &info)) return;
  CRect image(info.rcImage);
  image.OffsetRect(screen.x - kDragHotSpot.x - image.left, screen.y - kDragHotSpot.y - image.top);
  m_dragArea.UnionRect(&m_dragArea, &image);
}

void CImgListView::EndDrag() {
  m_pressedItem = -1;
  if (!m_dragging) return;
  m_dragging = false;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (m_dragImage) {
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    m_dragImage.reset();
    // The drag image puts back what it saved of the screen, and under Wine
    // that comes back black: every window it passed over paints itself again.
    if (!m_dragArea.IsRectEmpty())
      ::RedrawWindow(nullptr, &m_dragArea, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (IEditorFrame* frame = GetEditorFrame()) frame->SetRenderPaused(frame->GetAlbum() == nullptr);
}

void CImgListView::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_dragging) {
    m_pressedItem = -1;
    CListCtrl::OnLButtonUp(nFlags, point);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    return;
  }
  const int item = m_dragItem;
  EndDrag();
  POINT screen = point;
  ClientToScreen(&screen);
  CSposalboPageStatic* surface = Surface();
  if (surface && surface->m_hWnd && WindowAt(screen) == surface->m_hWnd && item >= 0 &&
      static_cast<size_t>(item) < m_names.size())
    DropOnPage(*surface, screen, m_names[static_cast<size_t>(item)]);
}

BOOL CImgListView::OnDblClk(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  OnDoubleClick();
  // Handled here alone: a bar hands what its children say on to the frame,
  // which would reflect it to this list a second time.
  return TRUE;
}

void CImgListView::OnDoubleClick() {
  const CString name = GetFirstSelectedName();
  CSposalboPageStatic* surface = Surface();
  IEditorFrame* frame = GetEditorFrame();
  if (name.IsEmpty() || !surface || !frame) return;
  if (HostIsKeyDown(VK_SHIFT) && frame->GetAlbum()) {
    std::string newName;
    surface->RunCropDialog(static_cast<const char*>(name), newName);
    return;
  }
  surface->PlacePhoto(static_cast<const char*>(name), 0.0f, 0.0f);
}
