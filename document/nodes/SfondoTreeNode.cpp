#include "document/nodes/SfondoTreeNode.h"

#include <cmath>
#include <utility>

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/nodes/ImgTreeNode.h"

namespace treeNode {

namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kOneDegree = 0.017453292f;
// Width of the default album's page, for a background outside any page.
constexpr float kDefaultPageWidth = 2.0f;
} // namespace

CSfondoTreeNode::CSfondoTreeNode(CTreeNode* parent) : CTreeNode(tags::kSfondo, parent) {}

CSfondoTreeNode::CSfondoTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CTreeNode(element, parent)
{
    // Read over white: a background without colour values stays white, as a
    // new one is. Read as 0.0, every such page would turn black, in the
    // editor and at the laboratory, with nothing in the file asking for it.
    // A value that cannot be used is repaired to white as well.
    const std::pair<const char*, float*> colours[] = {{"red", &red}, {"green", &green}, {"blue", &blue}};
    for (const auto& [name, value] : colours) {
        if (element.Attribute(name))
            ReadFloatOrRepair(element, name, *value, 1.0f);
    }
}

CSfondoTreeNode::CSfondoTreeNode(const CSfondoTreeNode& source, CTreeNode* parent)
    : CTreeNode(source, parent), red(source.red), green(source.green), blue(source.blue)
{
}

CSfondoTreeNode::~CSfondoTreeNode() = default;

void CSfondoTreeNode::WriteAttributes(TiXmlElement& element)
{
    SetDoubleAttribute(element, "red", red);
    SetDoubleAttribute(element, "green", green);
    SetDoubleAttribute(element, "blue", blue);
}

std::unique_ptr<CTreeNode> CSfondoTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CSfondoTreeNode>(*this, parent);
}

CImgTreeNode* CSfondoTreeNode::GetImage()
{
    return GetChildCount() > 0 ? dynamic_cast<CImgTreeNode*>(GetChild(0)) : nullptr;
}

bool CSfondoTreeNode::HasImage()
{
    return GetChildCount() > 0;
}

void CSfondoTreeNode::SetImage(std::unique_ptr<CImgTreeNode> image)
{
    if (!image)
        return;
    // Its size is known only once the picture file was read.
    image->LoadResources();
    image->Picture().SetPosition(0.0f, 0.0f);
    image->Picture().SetRotation(0.0f);
    if (GetChildCount() > 0)
        ReplaceChild(0, std::move(image));
    else
        AddChild(std::move(image), false);
    FitImageToPage();
}

void CSfondoTreeNode::RotateBy(float angle)
{
    if (CImgTreeNode* image = GetImage()) {
        image->RotateBy(angle);
        FitImageToPage();
    }
}

void CSfondoTreeNode::SetRotation(float angle)
{
    if (CImgTreeNode* image = GetImage()) {
        image->SetRotation(angle);
        FitImageToPage();
    }
}

void CSfondoTreeNode::FitImageToPage()
{
    CImgTreeNode* image = GetImage();
    if (!image)
        return;
    // The page's own size, so a background fills the page of any album.
    float boxWidth = GetParent() ? GetParent()->GetWidth() : kDefaultPageWidth;
    float boxHeight = 1.0f;
    float turn = std::fabs(image->GetRotation());
    if (turn > 2.0f * kPi)
        turn -= 2.0f * kPi;
    if (std::fabs(turn - kPi / 2.0f) <= kOneDegree || std::fabs(turn - 3.0f * kPi / 2.0f) <= kOneDegree)
        std::swap(boxWidth, boxHeight);
    const float pictureWidth = image->GetWidth();
    const float pictureHeight = image->GetHeight();
    image->Picture().SetScale(pictureWidth > 0.0f ? boxWidth / pictureWidth : boxWidth,
                              pictureHeight > 0.0f ? boxHeight / pictureHeight : boxHeight);
}

CImgColor* CSfondoTreeNode::GetColourSettings()
{
    CImgTreeNode* image = GetImage();
    return image ? image->GetColourSettings() : nullptr;
}

void CSfondoTreeNode::SetColourSettings(const CImgColor* colour, bool preview)
{
    if (CImgTreeNode* image = GetImage())
        image->SetColourSettings(colour, preview);
}

void CSfondoTreeNode::SetAlpha(float alpha, bool preview)
{
    if (CImgTreeNode* image = GetImage())
        image->SetAlpha(alpha, preview);
}

void CSfondoTreeNode::ReapplyColour()
{
    if (CImgTreeNode* image = GetImage())
        image->ReapplyColour();
}

} // namespace treeNode
