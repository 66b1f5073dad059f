#include "app/lists/PageListView.h"

#include "app/lists/PageRenderer.h"
#include "app/lists/Thumbnail.h"
#include "app/shell/EditorFrame.h"
#include "app/surface/PageStatic.h"
#include "document/SposalboDoc.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/PictureCache.h"
#include "render/TextMemory.h"

#include <algorithm>
#include <new>

namespace {
constexpr COLORREF kCellFrame = 0xC0C0C0;
// Pending page pictures: first after the page surface drew the page (its
// timer runs every 100 ms), then a slice of the user-interface thread at a
// time so paging stays quick meanwhile.
constexpr UINT_PTR kPendingPagesTimer = 0x5047;
constexpr UINT kPendingPagesDelay = 150;
constexpr int kPendingPagesBudget = 60;

CString Number(int index) {
  CString text;
  text.Format("%d", index + 1);
  return text;
}

// The rendered page on white inside a grey one-pixel frame; opaque.
OwnedBitmap MakePageCell(const std::vector<uint32_t>& rendered) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kPageThumbWidth;
  info.bmiHeader.biHeight = -kPageThumbHeight;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  OwnedBitmap cell(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!cell) return nullptr;
  auto* pixel = static_cast<uint32_t*>(bits);
  const uint32_t frame = ((kCellFrame & 0xFF) << 16) | (kCellFrame & 0xFF00) | ((kCellFrame >> 16) & 0xFF);
  for (int y = 0; y < kPageThumbHeight; ++y)
    for (int x = 0; x < kPageThumbWidth; ++x) {
      const bool edge = x == 0 || y == 0 || x == kPageThumbWidth - 1 || y == kPageThumbHeight - 1;
      const size_t i = static_cast<size_t>(y) * kPageThumbWidth + x;
      pixel[i] = edge ? frame : (rendered.empty() ? 0xFFFFFFu : rendered[i]);
    }
  return cell;
}
}  // namespace

CD3DObj* CPageListView::RenderView() const {
  IEditorFrame* frame = GetEditorFrame();
  return frame ? frame->GetPageSurface() : nullptr;
}

bool CPageListView::EnsurePageImages() {
  if (m_pages.GetSafeHandle()) return true;
  if (!m_pages.Create(kPageThumbWidth, kPageThumbHeight, ILC_COLOR32, 0, 1)) return false;
  SetImageList(&m_pages, LVSIL_NORMAL);
  FitRowsTo(kPageThumbHeight);
  return true;
}

void CPageListView::SetItemImage(int item, int image) {
  LVITEMA lv{};
  lv.mask = LVIF_IMAGE;
  lv.iItem = item;
  lv.iImage = image;
  SetItem(&lv);
}

void CPageListView::Relabel(int from) {
  for (int i = from; i < GetItemCount(); ++i) SetItemText(i, 0, Number(i));
}

void CPageListView::Clear() {
  if (m_pages.GetSafeHandle()) m_pages.SetImageCount(0);
  DeleteAllItems();
  Names().clear();
}

int CPageListView::AddBlankImage(HBITMAP blank) {
  const int image = m_pages.GetImageCount();
  m_pages.SetImageCount(static_cast<UINT>(image + 1));
  // Blank until the page is drawn.
  CBitmap bitmap;
  bitmap.Attach(blank);
  m_pages.Replace(image, &bitmap, nullptr);
  bitmap.Detach();
  return image;
}

int CPageListView::InsertBlankPage(int index) {
  if (!EnsurePageImages()) return -1;
  const int count = GetItemCount();
  if (index < 0 || index > count) index = count;
  const OwnedBitmap blank = MakePageCell({});
  SetRedraw(FALSE);
  const int image = AddBlankImage(blank.get());
  InsertItem(count, Number(count), image);
  for (int i = count; i > index; --i) {
    SetItemText(i, 0, Number(i));
    SetItemImage(i, GetItemImage(i - 1));
  }
  SetItemImage(index, image);
  SetRedraw(TRUE);
  return index;
}

std::vector<int> CPageListView::AddBlankPages(int count) {
  std::vector<int> images;
  if (!EnsurePageImages()) return images;
  const OwnedBitmap blank = MakePageCell({});
  // One redraw for them all: a list redrawn at every item takes its time.
  SetRedraw(FALSE);
  for (int n = 0; n < count; ++n) {
    const int item = GetItemCount();
    images.push_back(AddBlankImage(blank.get()));
    InsertItem(item, Number(item), images.back());
  }
  SetRedraw(TRUE);
  return images;
}

void CPageListView::InsertPage(int index, treeNode::CPaginaTreeNode& page) {
  const int item = InsertBlankPage(index);
  if (item >= 0) DrawPage(page, item);
}

void CPageListView::RemovePage(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  const int removed = GetItemImage(index);
  SetRedraw(FALSE);
  if (removed >= 0) m_pages.Remove(removed);
  DeleteItem(index);
  for (int i = 0; i < GetItemCount(); ++i) {
    const int image = GetItemImage(i);
    if (image >= removed) SetItemImage(i, image - 1);
  }
  Relabel(index);
  SetRedraw(TRUE);
  Invalidate();
}

void CPageListView::MovePageImage(int from, int to) {
  const int count = GetItemCount();
  if (from < 0 || to < 0 || from >= count || to >= count || from == to) return;
  const int moving = GetItemImage(from);
  const int step = from < to ? 1 : -1;
  for (int i = from; i != to; i += step) SetItemImage(i, GetItemImage(i + step));
  SetItemImage(to, moving);
  Invalidate();
}

void CPageListView::DrawPage(treeNode::CPaginaTreeNode& page, int item) {
  if (item < 0 || item >= GetItemCount() || !EnsurePageImages()) return;
  std::vector<uint32_t> rendered;
  CD3DObj* view = RenderView();
  try {
    if (!view || !RenderPageOffscreen(*view, page, rendered)) rendered.clear();
  } catch (const std::bad_alloc&) {
    // A page that cannot be drawn for lack of memory keeps a blank picture.
    rendered.clear();
  }
  OwnedBitmap cell = MakePageCell(rendered);
  if (!cell) return;
  CBitmap bitmap;
  bitmap.Attach(cell.get());
  m_pages.Replace(GetItemImage(item), &bitmap, nullptr);
  bitmap.Detach();
  RedrawItems(item, item);
}

BEGIN_MESSAGE_MAP(CPageImgListView, CPageListView)
  ON_WM_TIMER()
END_MESSAGE_MAP()

void CPageImgListView::Refresh(treeNode::CSposalboTreeNode& album) {
  if (!EnsurePageImages()) return;
  Clear();
  m_album = &album;
  m_blankImages = AddBlankPages(album.GetPageCount());
  if (HasPendingPages() && m_hWnd) SetTimer(kPendingPagesTimer, kPendingPagesDelay, nullptr);
}

void CPageImgListView::DrawAgainSoon(treeNode::CSposalboTreeNode& album, int index) {
  if (index < 0 || index >= GetItemCount() || (m_album && m_album != &album)) return;
  m_album = &album;
  const int image = GetItemImage(index);
  if (std::find(m_blankImages.begin(), m_blankImages.end(), image) == m_blankImages.end())
    m_blankImages.push_back(image);
  if (m_hWnd) SetTimer(kPendingPagesTimer, kPendingPagesDelay, nullptr);
}

bool CPageImgListView::IsOnScreen(const treeNode::CPaginaTreeNode& page) const {
  IEditorFrame* frame = GetEditorFrame();
  const treeNode::CPaginaTreeNode* current =
      frame ? frame->GetCurrentPage() : (m_album ? m_album->GetCurrentPage() : nullptr);
  return &page == current;
}

void CPageImgListView::DrawPage(treeNode::CPaginaTreeNode& page, int item) {
  const size_t placeholders = TextPlaceholdersDrawn(), held = TextMemoryHeld();
  if (IsOnScreen(page)) {
    CPageListView::DrawPage(page, item);
  } else {
    // Drawn with a share of the texts' memory of its own, given back at once:
    // the page on screen may hold the whole budget. Pages not on screen keep
    // no textures either; the current page makes its own again at its next draw.
    const TextMemoryShare share;
    CPageListView::DrawPage(page, item);
    page.ReleaseResources();
  }
  if (item < 0 || item >= GetItemCount()) return;
  const int image = GetItemImage(item);
  if (TextPlaceholdersDrawn() != placeholders) {
    m_shortImages[image] = held;
    // Looked at on the timer until the memory is back.
    if (m_hWnd) SetTimer(kPendingPagesTimer, kPendingPagesDelay, nullptr);
  } else {
    m_shortImages.erase(image);
  }
}

void CPageImgListView::DrawShortPagesAgainIfRoom() {
  if (!m_album) return;
  const size_t held = TextMemoryHeld();
  for (auto shortImage = m_shortImages.begin(); shortImage != m_shortImages.end();) {
    int item = 0;
    while (item < GetItemCount() && GetItemImage(item) != shortImage->first) ++item;
    if (held < shortImage->second && item < GetItemCount()) {
      DrawAgainSoon(*m_album, item);
      shortImage = m_shortImages.erase(shortImage);
    } else {
      ++shortImage;
    }
  }
}

void CPageImgListView::ClearPending() {
  m_shortImages.clear();
  m_blankImages.clear();
  m_album = nullptr;
  if (m_hWnd) KillTimer(kPendingPagesTimer);
}

void CPageImgListView::Clear() {
  ClearPending();
  CPageListView::Clear();
  m_followedPage = -1;
}

void CPageImgListView::FollowCurrentPage(int index) {
  if (!m_hWnd || index < 0 || index >= GetItemCount()) {
    m_followedPage = -1;
    return;
  }
  // Again also when the item went with a removed page, or the list lost its
  // selection otherwise.
  if (index == m_followedPage && GetNextItem(-1, LVNI_SELECTED) >= 0) return;
  m_followedPage = index;
  SetItemState(-1, 0, LVIS_SELECTED);
  SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EnsureVisible(index, FALSE);
}

void CPageImgListView::RemovePage(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  const int removed = GetItemImage(index);
  auto& blank = m_blankImages;
  blank.erase(std::remove(blank.begin(), blank.end(), removed), blank.end());
  for (int& image : blank)
    if (image > removed) --image;
  std::map<int, size_t> shortImages;
  for (const auto& [image, held] : m_shortImages)
    if (image != removed) shortImages[image > removed ? image - 1 : image] = held;
  m_shortImages.swap(shortImages);
  CPageListView::RemovePage(index);
}

void CPageImgListView::DrawPendingPages(int budgetMs) {
  // Memory other pages gave back since (a page emptied, left or closed) lets
  // pictures drawn with boxes for texts show them.
  DrawShortPagesAgainIfRoom();
  const DWORD start = ::GetTickCount();
  while (!m_blankImages.empty() && m_album) {
    const int image = m_blankImages.front();
    m_blankImages.erase(m_blankImages.begin());
    int item = 0;
    while (item < GetItemCount() && GetItemImage(item) != image) ++item;
    treeNode::CPaginaTreeNode* page = m_album->GetPage(item);
    if (!page) continue;
    DrawPage(*page, item);
    PictureCache::Instance().ReleaseUnused();
    // A slice gives way to the user: what was clicked or typed goes first.
    if (budgetMs >= 0 && !m_blankImages.empty() &&
        (static_cast<int>(::GetTickCount() - start) >= budgetMs ||
         HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) != 0))
      return;
  }
  if (m_hWnd && m_shortImages.empty()) KillTimer(kPendingPagesTimer);
}

void CPageImgListView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kPendingPagesTimer) {
    CPageListView::OnTimer(nIDEvent);
    return;
  }
  // The album the pages belong to must still be the frame's.
  IEditorFrame* frame = GetEditorFrame();
  CSposalboDoc* album = frame ? frame->GetAlbum() : nullptr;
  if (frame && (!album || album->GetRoot() != m_album)) {
    ClearPending();
    return;
  }
  DrawPendingPages(kPendingPagesBudget);
}

void CPageImgListView::InsertAlbumPage(treeNode::CSposalboTreeNode& album, int index) {
  if (treeNode::CPaginaTreeNode* page = album.GetPage(index)) InsertPage(index, *page);
}

void CPageImgListView::OnDoubleClick() {
  const int item = GetNextItem(-1, LVNI_SELECTED);
  IEditorFrame* frame = GetEditorFrame();
  CSposalboDoc* album = frame ? frame->GetAlbum() : nullptr;
  if (item >= 0 && album && album->GetRoot()) album->GetRoot()->GoToPage(item);
}

void CTemplateListView::Fill(const CString& folder) {
  Clear();
  m_templateFolder = folder;
  WIN32_FIND_DATAA entry;
  CScopedFind find(::FindFirstFileA(folder + "\\*.sbt", &entry));
  for (bool more = find.IsValid(); more; more = ::FindNextFileA(find.Get(), &entry) != 0)
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) AddTemplate(entry.cFileName);
}

CString CTemplateListView::TemplatePath(const CString& name) const {
  const bool fullPath = name.Find(':') == 1 || name.Left(2) == "\\\\";
  if (fullPath) return name;
  const bool separated = !m_templateFolder.IsEmpty() && m_templateFolder[m_templateFolder.GetLength() - 1] == '\\';
  return m_templateFolder + (separated ? "" : "\\") + name;
}

bool CTemplateListView::AddTemplate(const CString& name) {
  // A template too big for memory is not listed, as one that cannot be read;
  // the list stays as it was or with the template's cell left blank.
  try {
    CD3DObj* view = RenderView();
    const CString path = TemplatePath(name);
    auto album = treeNode::CSposalboTreeNode::Load(static_cast<const char*>(path), view);
    treeNode::CPaginaTreeNode* page = album ? album->GetCurrentPage() : nullptr;
    if (!page) return false;
    for (size_t i = 0; i < Names().size(); ++i) {
      if (TemplatePath(Names()[i]).CompareNoCase(path) == 0) {
        DrawPage(*page, static_cast<int>(i));  // written over: its new look
        return true;
      }
    }
    Names().push_back(name);
    try {
      InsertPage(GetItemCount(), *page);
    } catch (const std::bad_alloc&) {
      Names().pop_back();
      throw;
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void CTemplateListView::DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) {
  surface.DropTemplate(static_cast<const char*>(TemplatePath(name)), screen);
}

void CTemplateListView::OnDoubleClick() {
  const CString name = GetFirstSelectedName();
  if (CSposalboPageStatic* surface = Surface(); surface && !name.IsEmpty())
    surface->PlaceTemplate(static_cast<const char*>(TemplatePath(name)));
}
