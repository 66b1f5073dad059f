#include "ui/menus/menu/SkinMenuIcons.h"

#include <algorithm>

#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"
#include "framework/gdi_scope.h"
#include "ui/menus/theme/MenuTheme.h"

IMPLEMENT_DYNAMIC(CSkinMenuIcons, CObject)

namespace {
const int kShadeAmount = 50;

LPCSTR resourceName(const CSkinMenuIcons& icons) {
  return icons.m_resourceId ? MAKEINTRESOURCEA(icons.m_resourceId) : static_cast<LPCSTR>(icons.m_resourceName);
}

COLORREF disabledBase() {
  int id = CurrentThemeId();
  if (id == 2 || id == 3) return GetDefaultBarColor();
  if (id >= 8 && id <= 11) return GetThemedBarColor();
  return GetMenuBarColor(nullptr);
}
}  // namespace

CSkinMenuIcons::CSkinMenuIcons() = default;
CSkinMenuIcons::~CSkinMenuIcons() = default;

void CSkinMenuIcons::Release() {
  if (--m_nRefCount > 0) return;
  auto& lists = SkinState().iconLists;
  lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
  delete this;
}

SIZE CSkinMenuIcons::IconSize() const {
  int cx = 0, cy = 0;
  if (m_IconsList.m_hImageList) ImageList_GetIconSize(m_IconsList.m_hImageList, &cx, &cy);
  return {cx, cy};
}

int CSkinMenuIcons::FindIndex(UINT id) const {
  int images = m_IconsList.m_hImageList ? m_IconsList.GetImageCount() : 0;
  for (size_t i = m_ids.size(); i-- > 0;) {
    if (m_ids[i] != id) continue;
    // A bitmap with fewer images than commands has no icon for the rest.
    int index = static_cast<int>(3 * i);
    return index + 2 < images ? index : -1;
  }
  return -1;
}

BOOL CSkinMenuIcons::CreateList(int cx, int cy) {
  m_IconsList.DeleteImageList();
  return m_IconsList.Create(cx, cy, ILC_COLORDDB | ILC_MASK, 0, 10);
}

BOOL CSkinMenuIcons::LoadBitmap(int cx, int cy, LPCSTR name, HINSTANCE hInstance) {
  GdiHandle bitmap(LoadBitmapResource(name, hInstance, &m_nColors));
  if (!bitmap || cx <= 0 || cy <= 0 || !CreateList(cx, cy)) return FALSE;
  return ImageList_AddMasked(m_IconsList, static_cast<HBITMAP>(bitmap.Get()), m_crTransparent) >= 0;
}

void CSkinMenuIcons::MakeImages() {
  SIZE size = IconSize();
  if (size.cx <= 0) return;
  CImageList old;
  old.Attach(m_IconsList.Detach());
  if (!CreateList(size.cx, size.cy)) return;
  for (int i = 0, n = old.GetImageCount(); i < n; ++i) {
    HICON hIcon = old.ExtractIcon(i);
    if (!hIcon) continue;
    m_IconsList.Add(hIcon);
    AddShadowIcon(hIcon, -1);
    AddDisabledIcon(hIcon, -1);
    ::DestroyIcon(hIcon);
  }
}

int AddAlteredIcon(HIMAGELIST hList, HICON hIcon, int index, void (*alter)(HBITMAP color, const void* context),
                   const void* context) {
  ICONINFO info{};
  if (!hList || !::GetIconInfo(hIcon, &info)) return -1;
  // GetIconInfo hands over both bitmaps: they are ours to delete.
  GdiHandle color(info.hbmColor), mask(info.hbmMask);
  if (!color) return -1;
  alter(info.hbmColor, context);
  if (index < 0) return ImageList_Add(hList, info.hbmColor, info.hbmMask);
  return ImageList_Replace(hList, index, info.hbmColor, info.hbmMask) ? index : -1;
}

void ShadeBitmap(HBITMAP hBitmap, const void*) {
  MapBitmapPixels(hBitmap, [](COLORREF c, const void*) -> COLORREF { return DarkenColor(kShadeAmount, c); }, nullptr);
}

int CSkinMenuIcons::AddTransformedIcon(HICON hIcon, int index, bool disabled) {
  if (!disabled) return AddAlteredIcon(m_IconsList, hIcon, index, ShadeBitmap, nullptr);
  const COLORREF base = LightenColor(115, disabledBase());
  return AddAlteredIcon(m_IconsList, hIcon, index, [](HBITMAP hColor, const void* context) {
    ColorizeBitmap(hColor, 110, *static_cast<const COLORREF*>(context));
  }, &base);
}

int CSkinMenuIcons::AddShadowIcon(HICON hIcon, int index) { return AddTransformedIcon(hIcon, index, false); }
int CSkinMenuIcons::AddDisabledIcon(HICON hIcon, int index) { return AddTransformedIcon(hIcon, index, true); }

BOOL CSkinMenuIcons::LoadFromBitmap(HBITMAP hBitmap, int cx, int cy, const UINT* ids, COLORREF transparent) {
  if (!hBitmap || !ids || !*ids || !CreateList(cx, cy)) return FALSE;
  m_crTransparent = transparent;
  GdiHandle copy(::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!copy || ImageList_AddMasked(m_IconsList, static_cast<HBITMAP>(copy.Get()), transparent) < 0) return FALSE;
  for (; *ids; ++ids) m_ids.push_back(*ids);
  MakeImages();
  return TRUE;
}

BOOL CSkinMenuIcons::LoadToolBarTable(const WORD* table, COLORREF transparent) {
  if (!table) return FALSE;
  m_crTransparent = transparent;
  m_resourceId = table[0];
  if (!LoadBitmap(table[1], table[2], MAKEINTRESOURCEA(table[0]), nullptr)) return FALSE;
  for (const WORD* id = table + 3; *id; ++id) m_ids.push_back(*id);
  MakeImages();
  return !m_ids.empty();
}

BOOL CSkinMenuIcons::LoadToolBar(LPCSTR name, HINSTANCE hInstance) {
  const LPCSTR kToolBarType = MAKEINTRESOURCEA(241);
  HINSTANCE hInst = hInstance ? hInstance : AfxFindResourceHandle(name, kToolBarType);
  HRSRC hRes = ::FindResourceA(hInst, name, kToolBarType);
  if (!hRes) hRes = ::FindResourceA(hInst = AfxGetResourceHandle(), name, kToolBarType);
  HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
  const WORD* words = hData ? static_cast<const WORD*>(::LockResource(hData)) : nullptr;
  DWORD size = hRes ? ::SizeofResource(hInst, hRes) : 0;
  if (!words || size < 8 || size < 8 + 2u * words[3]) return FALSE;
  if (IS_INTRESOURCE(name)) m_resourceId = reinterpret_cast<UINT_PTR>(name);
  else m_resourceName = name;
  m_hInstance = hInstance;
  if (!LoadBitmap(words[1], words[2], name, hInstance)) return FALSE;
  for (WORD i = 0; i < words[3]; ++i)
    if (words[4 + i]) m_ids.push_back(words[4 + i]);
  MakeImages();
  return !m_ids.empty();
}

BOOL CSkinMenuIcons::MatchIds(HBITMAP, int cx, int cy, const UINT* ids) const {
  SIZE size = IconSize();
  if (size.cx != cx || size.cy != cy || !ids) return FALSE;
  size_t i = 0;
  for (; ids[i]; ++i)
    if (i >= m_ids.size() || m_ids[i] != ids[i]) return FALSE;
  return i == m_ids.size();
}

BOOL CSkinMenuIcons::MatchTable(const WORD* table, COLORREF transparent) const {
  if (!table || transparent != m_crTransparent || m_resourceId != table[0]) return FALSE;
  size_t i = 0;
  for (const WORD* id = table + 3; *id; ++id, ++i)
    if (i >= m_ids.size() || m_ids[i] != *id) return FALSE;
  return i == m_ids.size();
}

BOOL CSkinMenuIcons::MatchResource(LPCSTR name, HINSTANCE hInstance) const {
  if (hInstance != m_hInstance) return FALSE;
  if (IS_INTRESOURCE(name)) return m_resourceId == reinterpret_cast<UINT_PTR>(name);
  return !m_resourceId && m_resourceName == name;
}

void CSkinMenuIcons::Reload() {
  if (!m_resourceId && m_resourceName.IsEmpty()) return;
  SIZE size = IconSize();
  if (LoadBitmap(size.cx, size.cy, resourceName(*this), m_hInstance)) MakeImages();
}

void DeleteSharedIconLists() {
  // Lists still shown by living menus are freed with their last item.
  auto& lists = SkinState().iconLists;
  std::vector<CSkinMenuIcons*> unused;
  for (CSkinMenuIcons* list : lists)
    if (list->RefCount() <= 0) unused.push_back(list);
  lists.clear();
  for (CSkinMenuIcons* list : unused) delete list;
}
