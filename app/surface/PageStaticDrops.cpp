// Drops from the thumbnail lists and the crop launch: the item becomes a node
// of the current page, placed by the selection and the keys held.
#include <cmath>
#include <memory>
#include <vector>

#include "app/shell/EditorFrame.h"
#include "app/surface/PageStatic.h"
#include "app/surface/PictureFailureNotice.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImageTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "imagelib/ImageFile.h"

using treeNode::CCorniceTreeNode;
using treeNode::CImgTreeNode;
using treeNode::CPaginaTreeNode;
using treeNode::CTreeNode;

namespace {
constexpr float kDropScale = 0.2f;

treeNode::CSposalboTreeNode* AlbumOf(CPaginaTreeNode* page) {
  return dynamic_cast<treeNode::CSposalboTreeNode*>(page->GetParent());
}

spab_imagelist::CMImageList* ImageListOf(CPaginaTreeNode* page) {
  treeNode::CSposalboTreeNode* album = AlbumOf(page);
  return album ? album->GetImageList() : nullptr;
}

// Whether the album's file may take the elements a drop adds; when not, the
// user is told and the drop changes nothing.
bool HasRoomFor(CPaginaTreeNode* page, size_t elements) {
  treeNode::CSposalboTreeNode* album = AlbumOf(page);
  return !album || album->MayGrowBy(elements);
}

// The elements a picture dropped adds to the album file: itself, and the
// background that holds it when the page has none; none when it takes the
// place or the name of the picture selected.
size_t PictureDropAdds(CPaginaTreeNode* page, bool toBackground, const CTreeNode* selected) {
  if (toBackground) {
    treeNode::CSfondoTreeNode* background = page->GetBackground();
    return background ? (background->HasImage() ? 0 : 1) : 2;
  }
  return selected && (selected->HasTag("immagine") || selected->HasTag("image")) ? 0 : 1;
}

void AddRef(CPaginaTreeNode* page, const std::string& name) {
  if (auto* list = ImageListOf(page)) list->AddRef(name.c_str());
}

void ReleaseRef(CPaginaTreeNode* page, const std::string& name) {
  if (auto* list = ImageListOf(page)) list->Release(name.c_str());
}

// Only the header is read: a photo of camera size is decoded once, by the
// crop editor.
bool IsReadablePicture(const std::string& path) {
  img::ImageFile file;
  return !path.empty() && file.Open(path);
}

void TellUnreadableCropPhoto(const std::string& name, const spab_imagelist::CMImg* image, const std::string& path) {
  CString text;
  if (image && !image->nome.empty() && image->nome != name)
    text.Format("Impossibile leggere la foto %s (%s) da ritagliare:\n%s", name.c_str(), image->nome.c_str(), path.c_str());
  else
    text.Format("Impossibile leggere la foto %s da ritagliare:\n%s", name.c_str(), path.c_str());
  CWnd* main = AfxGetMainWnd();
  AfxGetUiSeam()->MessageBox(main ? main->m_hWnd : nullptr, text, "Ritaglio", MB_OK | MB_ICONERROR);
}

bool IsMaskedFrame(CTreeNode* node) {
  auto* frame = dynamic_cast<CCorniceTreeNode*>(node);
  return frame && frame->IsMasked();
}

// The only selected object, or null.
CTreeNode* SoleSelected(CPaginaTreeNode* page) {
  return page->GetSelectedCount(false) == 1 ? page->GetFirstSelected() : nullptr;
}

// A photo that was the background image gives its reference back before the
// background takes a new picture.
void ReleaseBackgroundPhoto(CPaginaTreeNode* page) {
  treeNode::CSfondoTreeNode* background = page->GetBackground();
  CImgTreeNode* image = background ? background->GetImage() : nullptr;
  if (image && image->HasTag("immagine")) ReleaseRef(page, image->GetName());
}

void Place(CTreeNode* node, float x, float y, float scale) {
  node->SetScale(scale, scale);
  node->SetPosition(x, y);
}

// The new node takes the old one's place among its siblings and its quad's
// position, scale and turn; the old node goes.
void ReplaceInParent(CImgTreeNode* old, std::unique_ptr<CImgTreeNode> node) {
  CTreeNode* parent = old->GetParent();
  old->SetSelected(false);
  node->SetPosition(old->GetX(), old->GetY());
  node->SetScale(old->GetScaleX(), old->GetScaleY());
  node->SetRotation(old->GetRotation());
  node->SetParent(parent);
  CImgTreeNode* raw = node.get();
  parent->ReplaceChild(static_cast<size_t>(parent->IndexOfChild(old)), std::move(node));
  parent->MarkModified();
  raw->SetSelected(true);
}

// A picture node of the given class, loaded and unturned, ready to place.
template <class Node>
std::unique_ptr<Node> NewPicture(const std::string& name, CTreeNode* parent) {
  auto node = std::make_unique<Node>(name, parent);
  node->LoadResources();
  node->SetRotation(0.0f);
  return node;
}
}  // namespace

template <class Drop>
void CSposalboPageStatic::RefuseDropWithoutMemory(Drop drop) {
  RunRefusingOutOfMemory(GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd,
                         "Memoria insufficiente: l'oggetto non \xE8 stato aggiunto alla pagina.", drop);
}

bool CSposalboPageStatic::ScreenToPage(POINT screen, float& x, float& y) const {
  surface_rules::ViewPoint view;
  if (!ScreenToView(screen, view)) return false;
  // Drops land under the cursor whatever the pan and zoom.
  x = (view.x - GetPanX()) / GetZoomX();
  y = (view.y - GetPanY()) / GetZoomY();
  return true;
}

void CSposalboPageStatic::DropPhoto(const std::string& name, POINT screen) {
  float x, y;
  if (CurrentPage() && ScreenToPage(screen, x, y)) RefuseDropWithoutMemory([&] { PlacePhoto(name, x, y); });
}

void CSposalboPageStatic::DropImage(const std::string& name, POINT screen, bool pers) {
  float x, y;
  if (CurrentPage() && ScreenToPage(screen, x, y)) RefuseDropWithoutMemory([&] { PlaceImage(name, x, y, pers); });
}

void CSposalboPageStatic::DropFrame(const std::string& name, POINT screen, bool pers) {
  float x, y;
  if (CurrentPage() && ScreenToPage(screen, x, y)) RefuseDropWithoutMemory([&] { PlaceFrame(name, x, y, pers); });
}

void CSposalboPageStatic::DropEffect(const std::string& name, POINT screen, bool pers) {
  float x, y;
  if (CurrentPage() && ScreenToPage(screen, x, y)) RefuseDropWithoutMemory([&] { PlaceEffect(name, x, y, pers); });
}

void CSposalboPageStatic::DropTemplate(const std::string& path, POINT screen) {
  float x, y;
  if (CurrentPage() && ScreenToPage(screen, x, y)) PlaceTemplate(path);
}

void CSposalboPageStatic::PlacePhoto(const std::string& name, float x, float y) {
  CPaginaTreeNode* page = CurrentPage();
  if (!page) return;
  CTreeNode* selected = SoleSelected(page);
  const bool toBackground = HeldKeys().ctrl;
  if (!HasRoomFor(page, PictureDropAdds(page, toBackground, selected))) return;
  auto node = NewPicture<CImgTreeNode>(name, page);
  page->SaveUndo();
  if (toBackground) {
    ReleaseBackgroundPhoto(page);
    page->SetBackgroundImage(std::move(node));
    AddRef(page, name);
  } else if (selected && selected->HasTag("immagine")) {
    auto* photo = static_cast<CImgTreeNode*>(selected);
    ReleaseRef(page, photo->GetName());
    photo->SetName(name);
    AddRef(page, name);
  } else if (selected && selected->HasTag("image")) {
    ReplaceInParent(static_cast<CImgTreeNode*>(selected), std::move(node));
    AddRef(page, name);
  } else if (selected && IsMaskedFrame(selected)) {
    Place(node.get(), selected->GetX(), selected->GetY(), kDropScale);
    node->SetParent(selected);
    selected->AddChild(std::move(node), true);
    AddRef(page, name);
  } else {
    page->SelectAll(false);
    Place(node.get(), x, y, kDropScale);
    page->AddChild(std::move(node), true);
    AddRef(page, name);
  }
  page->SetNeedsRefresh(true);
}

void CSposalboPageStatic::PlaceImage(const std::string& name, float x, float y, bool pers) {
  CPaginaTreeNode* page = CurrentPage();
  if (!page) return;
  CTreeNode* selected = SoleSelected(page);
  const bool toBackground = HeldKeys().ctrl;
  if (!HasRoomFor(page, PictureDropAdds(page, toBackground, selected))) return;
  // An image of the custom graphics folder is looked up there.
  auto node = std::make_unique<treeNode::CImageTreeNode>(name, page);
  node->SetPersonal(pers);
  node->LoadResources();
  node->SetRotation(0.0f);
  page->SaveUndo();
  if (toBackground) {
    ReleaseBackgroundPhoto(page);
    page->SetBackgroundImage(std::move(node));
  } else if (selected && selected->HasTag("image")) {
    auto* image = static_cast<CImgTreeNode*>(selected);
    image->SetName(name);
    image->SetPersonal(pers);
  } else if (selected && selected->HasTag("immagine")) {
    const std::string old = static_cast<CImgTreeNode*>(selected)->GetName();
    ReplaceInParent(static_cast<CImgTreeNode*>(selected), std::move(node));
    ReleaseRef(page, old);
  } else if (selected && IsMaskedFrame(selected)) {
    Place(node.get(), selected->GetX(), selected->GetY(), kDropScale);
    node->SetParent(selected);
    selected->AddChild(std::move(node), true);
  } else {
    page->SelectAll(false);
    Place(node.get(), x, y, kDropScale);
    page->AddChild(std::move(node), true);
  }
  page->SetNeedsRefresh(true);
}

void CSposalboPageStatic::PlaceFrame(const std::string& name, float x, float y, bool pers) {
  CPaginaTreeNode* page = CurrentPage();
  if (!page) return;
  const surface_rules::Keys keys = HeldKeys();
  const bool hasSelection = page->GetSelectedCount(false) > 0;
  const bool groups = hasSelection && (!keys.ctrl || keys.alt) && !(keys.ctrl && keys.space);
  // The selection goes one level down, into the frame: a drop that would nest
  // it deeper than an album may is refused, as grouping is.
  if (groups && !page->CanNestSelection(1)) return;
  if (!HasRoomFor(page, PictureDropAdds(page, keys.ctrl && keys.space, nullptr))) return;
  auto frame = std::make_unique<CCorniceTreeNode>(name, page);
  frame->SetPersonal(pers);
  frame->LoadResources();
  frame->SetRotation(0.0f);
  // Grouping the selection takes the page's snapshot itself: one drop, one
  // undo step.
  if (!groups) page->SaveUndo();

  auto takeIntoFrame = [&](treeNode::CGruppoTreeNode& group) {
    while (group.GetChildCount() > 0) {
      std::unique_ptr<CTreeNode> child = group.DetachChild(static_cast<size_t>(0));
      child->SetSelectedFlagOnly(false);
      child->SetParent(frame.get());
      frame->AddChild(std::move(child), true);
    }
  };

  if (keys.ctrl && keys.space) {
    page->SetBackgroundImage(std::move(frame));
  } else if (keys.ctrl) {
    frame->FitToSize(keys.shift, page->GetWidth(), page->GetHeight());
    frame->SetPosition(0.0f, 0.0f);
    if (keys.alt) {
      frame->SetMasked(true);
      if (hasSelection) {
        std::unique_ptr<treeNode::CGruppoTreeNode> group = page->TakeSelectionAsGroup();
        takeIntoFrame(*group);
      }
    }
    frame->SetLocked(true);
    page->AddChild(std::move(frame), true);
  } else {
    if (keys.alt) frame->SetMasked(true);
    if (!hasSelection) {
      Place(frame.get(), x, y, kDropScale);
    } else {
      CTreeNode* only = page->GetSelectedCount(false) == 1 ? page->GetFirstSelected() : nullptr;
      float width = 0.0f, height = 0.0f, rotation = 0.0f;
      if (only) {
        width = only->GetScaleX() * only->GetWidth();
        height = only->GetScaleY() * only->GetHeight();
        rotation = only->GetRotation();
      }
      std::unique_ptr<treeNode::CGruppoTreeNode> group = page->TakeSelectionAsGroup();
      if (!only) {
        width = group->GetScaleX() * group->GetWidth();
        height = group->GetScaleY() * group->GetHeight();
        rotation = group->GetRotation();
      }
      const float ownWidth = frame->GetWidth();
      const float ownHeight = frame->GetHeight();
      float sx = frame->GetScaleX(), sy = frame->GetScaleY();
      if (ownWidth > 0.0f) sx = std::fabs(width) / ownWidth;
      if (ownHeight > 0.0f) sy = std::fabs(height) / ownHeight;
      frame->SetScale(sx, sy);
      frame->SetPosition(group->GetX(), group->GetY());
      frame->SetRotation(rotation);
      takeIntoFrame(*group);
    }
    page->AddChild(std::move(frame), true);
  }
  page->SetNeedsRefresh(true);
}

void CSposalboPageStatic::PlaceEffect(const std::string& name, float, float, bool pers) {
  CPaginaTreeNode* page = CurrentPage();
  if (!page) return;
  CTreeNode* selected = SoleSelected(page);
  if (!selected || !(selected->HasTag("immagine") || selected->HasTag("cornice"))) return;
  auto* owner = static_cast<CImgTreeNode*>(selected);
  if (!HasRoomFor(page, owner->GetEffect() ? 0 : 1)) return;
  auto effect = std::make_unique<treeNode::CEffectTreeNode>(name, owner);
  effect->SetPersonal(pers);
  effect->LoadResources();
  page->SaveUndo();
  owner->SetEffect(std::move(effect));
  page->SetNeedsRefresh(true);
}

void CSposalboPageStatic::PlaceTemplate(const std::string& path) {
  CPaginaTreeNode* page = CurrentPage();
  if (!page) return;
  // Dropped or double-clicked, a template too big for memory is refused.
  RefuseDropWithoutMemory([&] {
    std::unique_ptr<treeNode::CSposalboTreeNode> album = treeNode::CSposalboTreeNode::Load(path, this);
    CPaginaTreeNode* source = album ? album->GetCurrentPage() : nullptr;
    if (!source) return;
    size_t added = 0;
    for (size_t i = 0; i < source->GetChildCount(); ++i) added += source->GetChild(i)->CountFileElements();
    if (!HasRoomFor(page, added)) return;
    // Every copy is made before the page changes.
    std::vector<std::unique_ptr<CTreeNode>> copies;
    for (size_t i = 0; i < source->GetChildCount(); ++i) copies.push_back(source->GetChild(i)->Clone(page));
    page->SaveUndo();
    for (std::unique_ptr<CTreeNode>& copy : copies) {
      CTreeNode* raw = copy.get();
      page->AddChild(std::move(copy), true);
      // Photos of the album the template names count like any placed photo.
      page->AddImageRefs(raw);
    }
    page->SetNeedsRefresh(true);
  });
}

bool CSposalboPageStatic::RunCropDialog(const std::string& photoName, std::string& newName) {
  IEditorFrame* frame = GetEditorFrame();
  CSposalboDoc* album = frame ? frame->GetAlbum() : nullptr;
  spab_imagelist::CMImageList* list = album ? album->GetRoot()->GetImageList() : nullptr;
  if (!list) return false;
  // The photo the page shows, at full resolution.
  const std::string path = album->GetResourceFolder(treeNode::kKindPhoto, false, photoName, false);
  if (!IsReadablePicture(path)) {
    TellUnreadableCropPhoto(photoName, list->Find(photoName.c_str()), path);
    return false;
  }
  CString working;
  const std::string folder = album->GetFolder();
  const bool stored = frame->RunCropDialog(path, [&](const spab_imagelist::CMImageList::SaveCropFunction& saveCut) {
    return list->AddCroppedImageWith(saveCut, folder.c_str(), &working);
  });
  if (!stored || working.IsEmpty()) return false;
  list->Save(folder.c_str(), false);
  frame->RefreshPhotoList();
  newName = static_cast<const char*>(working);
  return true;
}

void CSposalboPageStatic::CropPhoto(CImgTreeNode* photo) {
  CPaginaTreeNode* page = CurrentPage();
  if (!page || !photo || !photo->GetParent() || !HasRoomFor(page, 1)) return;
  std::string newName;
  if (!RunCropDialog(photo->GetName(), newName)) return;
  // Only a crop that was stored changes the page, so only it takes a snapshot.
  page->SaveUndo();
  CTreeNode* parent = photo->GetParent();
  auto node = std::make_unique<CImgTreeNode>(newName, parent);
  Place(node.get(), 0.0f, 0.0f, kDropScale);
  node->SetRotation(0.0f);
  CImgTreeNode* raw = node.get();
  parent->AddChild(std::move(node), true);
  raw->AlignCropTo(photo);
  raw->SetSelected(true);
  AddRef(page, newName);
  page->SetNeedsRefresh(true);
}
