#include "app/lists/LibraryListViews.h"

#include "app/surface/PageStatic.h"
#include "render/MaskPath.h"

namespace {
std::string Text(const CString& name) { return static_cast<const char*>(name); }
}  // namespace

bool IsMaskCompanion(const CString& name) { return IsMaskName(name); }

// A list showing the custom graphics folder creates personal nodes, so their
// pictures are looked up there and not in the program's library.
bool CCorniciImgListView::AcceptFile(const CString& name) const { return !IsMaskCompanion(name); }

void CCorniciImgListView::DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) {
  surface.DropFrame(Text(name), screen, IsPersonal() || IsCustom());
}

void CCorniciImgListView::OnDoubleClick() {
  const CString name = GetFirstSelectedName();
  if (CSposalboPageStatic* surface = Surface(); surface && !name.IsEmpty())
    surface->PlaceFrame(Text(name), 0.0f, 0.0f, IsCustom());
}

void CEffettiImgListView::DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) {
  surface.DropEffect(Text(name), screen, IsPersonal() || IsCustom());
}

void CEffettiImgListView::OnDoubleClick() {
  const CString name = GetFirstSelectedName();
  if (CSposalboPageStatic* surface = Surface(); surface && !name.IsEmpty())
    surface->PlaceEffect(Text(name), 0.0f, 0.0f, IsCustom());
}

void CImmaginiImgListView::DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) {
  surface.DropImage(Text(name), screen, IsPersonal() || IsCustom());
}

void CImmaginiImgListView::OnDoubleClick() {
  const CString name = GetFirstSelectedName();
  if (CSposalboPageStatic* surface = Surface(); surface && !name.IsEmpty())
    surface->PlaceImage(Text(name), 0.0f, 0.0f, IsCustom());
}
