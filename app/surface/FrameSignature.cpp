#include "app/surface/FrameSignature.h"

#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"

void FrameSignature::Add(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    m_value ^= bytes[i];
    m_value *= 1099511628211ull;
  }
}

void FrameSignature::Add(const std::string& text) {
  Add(text.size());
  Add(text.data(), text.size());
}

void FrameSignature::AddNode(treeNode::CTreeNode& node) {
  Add(&node);
  Add(node.IsSelected());
  Add(node.IsLocked());
  const float place[] = {node.GetX(),      node.GetY(),     node.GetScaleX(), node.GetScaleY(),
                         node.GetRotation(), node.GetWidth(), node.GetHeight()};
  Add(place);
  if (auto* picture = dynamic_cast<treeNode::CImgTreeNode*>(&node)) {
    CD3DImage& quad = picture->Picture();
    const ColourSettings& shown = quad.GetColourSettings();
    const float colour[] = {shown.red,      shown.green,      shown.blue, shown.brightness,
                            shown.contrast, shown.saturation, shown.alpha};
    Add(colour);
    Add(picture->GetName());
    const bool state[] = {picture->AreResourcesLoaded(), quad.HasTextures(), quad.HasFailed(),
                          quad.HasMask(), quad.HasEffect(), quad.IsPlaceholder()};
    Add(state);
    Add(quad.GetLoadedSize());
  }
  Add(node.GetChildCount());
  for (size_t i = 0; i < node.GetChildCount(); ++i) AddNode(*node.GetChild(i));
}

void FrameSignature::AddPage(treeNode::CPaginaTreeNode& page) {
  Add(&page);
  const bool marks[] = {page.IsCover(), page.IsBackgroundEditMode()};
  Add(marks);
  Add(page.GetWidth());
  Add(page.GetHandleObject());
  if (treeNode::CSfondoTreeNode* background = page.GetBackground()) {
    const float colour[] = {background->red, background->green, background->blue};
    Add(colour);
    AddNode(*background);
  }
  Add(page.GetChildCount());
  for (size_t i = 0; i < page.GetChildCount(); ++i) AddNode(*page.GetChild(i));
}
