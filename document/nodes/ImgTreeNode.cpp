#include "document/nodes/ImgTreeNode.h"

#include <algorithm>
#include <cmath>

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/DocumentHost.h"
#include "document/nodes/ContainerTreeNode.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/HandleResize.h"
#include "document/nodes/ImageListLink.h"
#include "document/services/PathNames.h"
#include "document/nodes/PlacedBox.h"

namespace treeNode {

bool IsSafePictureName(const std::string& name)
{
    return IsSingleFileName(name.c_str());
}

CImgTreeNode::CImgTreeNode(const std::string& name, CTreeNode* parent)
    : CImgTreeNode(tags::kImmagine, kKindPhoto, name, parent)
{
    CopyCropFromImageList();
}

CImgTreeNode::CImgTreeNode(const char* tag, int kind, const std::string& name, CTreeNode* parent)
    : CTreeNode(tag, parent),
      m_name(name),
      m_picture(std::make_unique<CD3DImage>(GetView())),
      m_selection(GetView()),
      m_kind(kind)
{
}

CImgTreeNode::CImgTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CImgTreeNode(element, kKindPhoto, parent)
{
}

CImgTreeNode::CImgTreeNode(const TiXmlElement& element, int kind, CTreeNode* parent)
    : CTreeNode(element, parent),
      m_picture(std::make_unique<CD3DImage>(GetView())),
      m_selection(GetView()),
      m_kind(kind)
{
    ReadAttributes(element);
}

CImgTreeNode::CImgTreeNode(const CImgTreeNode& source, CTreeNode* parent)
    : CTreeNode(source, parent),
      m_name(source.m_name),
      m_picture(std::make_unique<CD3DImage>(GetView())),
      m_selection(GetView()),
      m_bookmark(source.m_bookmark),
      m_pers(source.m_pers),
      m_cropX(source.m_cropX),
      m_cropY(source.m_cropY),
      m_ratioH(source.m_ratioH),
      m_colour(source.m_colour),
      m_kind(source.m_kind)
{
    const CD3DImage& from = *source.m_picture;
    m_picture->SetPosition(from.GetPositionX(), from.GetPositionY());
    m_picture->SetScale(from.GetScaleX(), from.GetScaleY());
    m_picture->SetRotation(from.GetRotation());
}

CImgTreeNode::~CImgTreeNode() = default;

void CImgTreeNode::ReadAttributes(const TiXmlElement& element)
{
    ReadStringAttribute(element, "name", m_name);
    ReadIntAttribute(element, "bookmark", m_bookmark);
    const StoredPlacement placement = ReadPlacementAttributes(element);
    m_picture->SetPosition(placement.x, placement.y);
    m_picture->SetScale(placement.scaleX, placement.scaleY);
    m_picture->SetRotation(placement.rotation);
    // Missing colour values read as 0, as the file has always been read; a
    // value that cannot be used becomes the one that leaves the picture as
    // it is.
    const CImgColor neutral;
    float* const colour[] = {&m_colour.red,        &m_colour.green,    &m_colour.blue,
                             &m_colour.brightness, &m_colour.contrast, &m_colour.saturation,
                             &m_colour.alpha};
    const float repaired[] = {neutral.red,      neutral.green,      neutral.blue, neutral.brightness,
                              neutral.contrast, neutral.saturation, neutral.alpha};
    const char* const names[] = {"red",      "green",      "blue", "brightness",
                                 "contrast", "saturation", "alpha"};
    for (size_t i = 0; i < 7; ++i)
        ReadFloatOrRepair(element, names[i], *colour[i], repaired[i]);
    int pers = 0;
    ReadIntAttribute(element, "pers", pers);
    m_pers = pers == 1;
    // Repaired to no crop at all.
    ReadFloatOrRepair(element, "cropX", m_cropX, 0.0f);
    ReadFloatOrRepair(element, "cropY", m_cropY, 0.0f);
    ReadFloatOrRepair(element, "ratioH", m_ratioH, 0.0f);
}

void CImgTreeNode::CopyCropFromImageList()
{
    LookupImageCrop(*this, m_name, m_cropX, m_cropY, m_ratioH);
}

void CImgTreeNode::WriteAttributes(TiXmlElement& element)
{
    if (m_kind == kKindPhoto && IsTemplateCopy())
        m_bookmark = NextId();
    const bool writeName = !m_name.empty() && !(m_kind == kKindPhoto && IsTemplateCopy());
    if (writeName)
        element.SetAttribute("name", m_name);
    if (m_bookmark > 0)
        SetIntAttribute(element, "bookmark", m_bookmark);
    WritePlacementAttributes(element);
    SetDoubleAttribute(element, "red", m_colour.red);
    SetDoubleAttribute(element, "green", m_colour.green);
    SetDoubleAttribute(element, "blue", m_colour.blue);
    SetDoubleAttribute(element, "brightness", m_colour.brightness);
    SetDoubleAttribute(element, "contrast", m_colour.contrast);
    SetDoubleAttribute(element, "saturation", m_colour.saturation);
    SetDoubleAttribute(element, "alpha", m_colour.alpha);
    if (m_pers)
        SetIntAttribute(element, "pers", 1);
    if (m_cropX != 0.0f)
        SetDoubleAttribute(element, "cropX", m_cropX);
    if (m_cropY != 0.0f)
        SetDoubleAttribute(element, "cropY", m_cropY);
    if (m_ratioH != 0.0f)
        SetDoubleAttribute(element, "ratioH", m_ratioH);
    CTreeNode::WriteAttributes(element);
}

bool CImgTreeNode::HitOwnQuadPoint(float x, float y)
{
    return m_picture->HitTest(x, y);
}

bool CImgTreeNode::HitOwnQuadRect(float x1, float y1, float x2, float y2)
{
    return m_picture->IntersectsRect(x1, y1, x2, y2);
}

bool CImgTreeNode::HitTestRect(float x1, float y1, float x2, float y2, NodeList* hits,
                               bool includeLocked)
{
    LoadResources();
    return AnswerOwnHit(includeLocked, hits, [&] { return HitOwnQuadRect(x1, y1, x2, y2); });
}

bool CImgTreeNode::HitTestPoint(float x, float y, NodeList* hits, bool includeLocked)
{
    LoadResources();
    return AnswerOwnHit(includeLocked, hits, [&] { return HitOwnQuadPoint(x, y); });
}

void CImgTreeNode::ScaleBy(float sx, float sy)
{
    m_picture->ScaleBy(sx, sy);
}

void CImgTreeNode::SetScale(float sx, float sy)
{
    m_picture->SetScale(sx, sy);
}

void CImgTreeNode::RotateBy(float angle)
{
    m_picture->RotateBy(angle);
}

void CImgTreeNode::MoveBy(float dx, float dy)
{
    m_picture->Move(dx, dy);
}

void CImgTreeNode::SetPosition(float x, float y)
{
    m_picture->SetPosition(x, y);
}

void CImgTreeNode::SetRotation(float angle)
{
    m_picture->SetRotation(angle);
}

void CImgTreeNode::Render(int pass)
{
    LoadResources();
    m_picture->Render(pass);
    // High-resolution pictures are too large to keep between frames.
    if (!UseLowResImages())
        ReleaseResources();
}

void CImgTreeNode::SyncSelection()
{
    DrawSelectionFrame(m_selection, *this, m_picture->GetSizeX());
}

int CImgTreeNode::HitTestHandles(float x, float y)
{
    return IsSelected() ? m_selection.HitTest(x, y) : kHandleNone;
}

float CImgTreeNode::GetX()
{
    return m_picture->GetPositionX();
}

float CImgTreeNode::GetY()
{
    return m_picture->GetPositionY();
}

float CImgTreeNode::GetHeight()
{
    return m_picture->GetSizeY();
}

float CImgTreeNode::GetWidth()
{
    return m_picture->GetSizeX();
}

float CImgTreeNode::GetScaleX()
{
    return m_picture->GetScaleX();
}

float CImgTreeNode::GetScaleY()
{
    return m_picture->GetScaleY();
}

float CImgTreeNode::GetRotation()
{
    return m_picture->GetRotation();
}

void CImgTreeNode::ResizeByHandle(int handle, float dx, float dy, bool keepAspect)
{
    ResizeBoxByHandle(*this, GetWidth(), handle, dx, dy, keepAspect);
}

void CImgTreeNode::GetBounds(float bounds[4], bool)
{
    BoundsOfPlacedBox(m_picture->GetWorldTransform(), m_picture->GetSizeX(), bounds);
}

std::unique_ptr<CTreeNode> CImgTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CImgTreeNode>(*this, parent);
}

CImgColor* CImgTreeNode::GetColourSettings()
{
    return &m_colour;
}

void CImgTreeNode::SetColourSettings(const CImgColor* colour, bool preview)
{
    if (!colour)
        return;
    if (!preview)
        m_colour = *colour;
    NoteChanged();
    // Inside a recoloured frame or group the picture shows the new colour
    // within theirs, in the preview as after OK and after a reload.
    ShowColour(*colour, HoldersColour());
}

void CImgTreeNode::SetAlpha(float alpha, bool preview)
{
    if (!preview)
        m_colour.alpha = alpha;
    NoteChanged();
    ShowAlpha(alpha, HoldersColour().alpha);
}

void CImgTreeNode::ReapplyColour()
{
    ShowColour(m_colour, HoldersColour());
}

void CImgTreeNode::ShowColour(const CImgColor& own, const CImgColor& holders)
{
    const CImgColor shown = Within(own, holders);
    m_picture->SetColorAdjust(shown.red, shown.green, shown.blue, shown.brightness, shown.contrast,
                              shown.saturation, shown.alpha, true);
}

void CImgTreeNode::ShowAlpha(float own, float holders)
{
    m_picture->SetAlpha(AlphaWithin(own, holders));
}

CImgColor CImgTreeNode::HoldersColour()
{
    // Frames and groups recolour what they hold; a picture loaded again (a
    // page change, an undo, an album opened) shows that colour too. Each
    // holder's colour within its own holders', as a container shows its
    // content, so the two roads give the same values.
    for (CTreeNode* holder = GetParent(); holder; holder = holder->GetParent()) {
        if (auto* container = dynamic_cast<CContainerTreeNode*>(holder))
            return Within(*container->GetColourSettings(), container->HoldersColour());
    }
    return CImgColor();
}

CImgColor CImgTreeNode::Within(const CImgColor& own, const CImgColor& holders)
{
    CImgColor shown = own;
    shown.Multiply(holders);
    return shown;
}

float CImgTreeNode::AlphaWithin(float own, float holders)
{
    CImgColor alone;
    alone.alpha = own;
    CImgColor around;
    around.alpha = holders;
    return Within(alone, around).alpha;
}

void CImgTreeNode::OnDeviceLost()
{
    m_selection.OnLostDevice();
    CTreeNode::OnDeviceLost();
}

void CImgTreeNode::OnDeviceReset()
{
    m_selection.OnResetDevice();
    CTreeNode::OnDeviceReset();
}

void CImgTreeNode::ResetAspectRatio()
{
    const float sx = GetScaleX();
    const float sy = GetScaleY();
    const float larger = std::max(std::fabs(sx), std::fabs(sy));
    SetScale(sx < 0.0f ? -larger : larger, sy < 0.0f ? -larger : larger);
}

void CImgTreeNode::ReleaseResources()
{
    m_picture->ReleaseResources();
    m_selection.ReleaseResources();
    m_resourcesLoaded = false;
    CTreeNode::ReleaseResources();
}

void CImgTreeNode::LoadResources()
{
    // Loaded for a page thumbnail and now on the page, or zoomed in since:
    // the picture is read again sharper.
    if (m_resourcesLoaded && !m_picture->NeedsSharperPreview())
        return;
    const bool lowRes = UseLowResImages();
    if (m_bookmark > 0 && m_name.empty()) {
        m_picture->CreatePlaceholder(m_bookmark, 1.0f);
        m_resourcesLoaded = true;
    } else {
        // A kind without a folder (a group) has no picture, whatever its name.
        const bool refused = HasPictureFolder() && !m_name.empty() && !IsSafePictureName(m_name);
        const std::string path =
            HasPictureFolder() && !refused ? ResolvePath(lowRes) : std::string();
        // The colours shown first, so the picture is made once with them.
        const CImgColor shown = ShownColour();
        m_picture->SetColorAdjust(shown.red, shown.green, shown.blue, shown.brightness,
                                  shown.contrast, shown.saturation, shown.alpha, false);
        // A photo's mask is the shape it was cut out in; a frame's mask is
        // the window it shows its photos through, not its own outline.
        m_picture->SetMaskShapesPicture(m_kind == kKindPhoto);
        // A name refused by the checks (a device, a name Windows trims, one
        // leaving its folder) is an unreadable picture, never opened.
        if (refused)
            m_picture->LoadRefused(m_name);
        else
            m_picture->LoadFromFile(path.c_str(), lowRes);
        m_resourcesLoaded = true;
        ReapplyColour();
    }
    ApplyEffect();
}

std::string CImgTreeNode::ResolvePath(bool lowRes) const
{
    return HasPictureFolder() ? HostResourcePath(m_kind, lowRes, m_name, m_pers) : std::string();
}

bool CImgTreeNode::HasPictureFolder() const
{
    return m_kind == kKindPhoto || m_kind == kKindFrame || m_kind == kKindEffect ||
           m_kind == kKindImage;
}

void CImgTreeNode::FitToSize(bool stretch, float w, float h)
{
    // A picture without a size yet is fitted as if it were one unit.
    const float sizeX = m_picture->GetSizeX();
    const float sizeY = m_picture->GetSizeY();
    float fx = sizeX > 0.0f ? w / sizeX : w;
    float fy = sizeY > 0.0f ? h / sizeY : h;
    if (!stretch)
        fx = fy = std::min(fx, fy);
    m_picture->SetScale(fx, fy);
}

void CImgTreeNode::SetEffectRotation(int degrees)
{
    if (CEffectTreeNode* effect = GetEffect()) {
        effect->SetRotate(degrees);
        m_picture->SetEffectRotation(static_cast<float>(degrees));
    }
}

int CImgTreeNode::GetEffectRotation()
{
    CEffectTreeNode* effect = GetEffect();
    return effect ? effect->GetRotate() : 0;
}

void CImgTreeNode::SetEffectMirror(int mirror)
{
    if (CEffectTreeNode* effect = GetEffect()) {
        effect->SetMirror(mirror);
        m_picture->SetEffectMirror(mirror);
    }
}

int CImgTreeNode::GetEffectMirror()
{
    CEffectTreeNode* effect = GetEffect();
    return effect ? effect->GetMirror() : CEffectTreeNode::kMirrorNone;
}

CEffectTreeNode* CImgTreeNode::GetEffect()
{
    if (GetChildCount() == 0 || !GetChild(0)->HasTag(tags::kEffetto))
        return nullptr;
    return static_cast<CEffectTreeNode*>(GetChild(0));
}

void CImgTreeNode::SetEffect(std::unique_ptr<CEffectTreeNode> effect)
{
    if (effect && !CanHoldNested(1))
        return;
    if (GetEffect()) {
        DetachChild(size_t{0});
        m_picture->RemoveEffect();
    }
    if (effect) {
        AddChild(std::move(effect), false);
        ApplyEffect();
    }
}

void CImgTreeNode::ApplyEffect()
{
    CEffectTreeNode* effect = GetEffect();
    if (!effect)
        return;
    const bool lowRes = UseLowResImages();
    const std::string path = IsSafePictureName(effect->GetName())
                                 ? HostResourcePath(kKindEffect, lowRes, effect->GetName(),
                                                    effect->IsPersonal())
                                 : std::string();
    m_picture->LoadEffect(path.c_str(), static_cast<float>(effect->GetRotate()),
                          effect->GetMirror());
}

void CImgTreeNode::AlignCropTo(CImgTreeNode* photo)
{
    if (!photo)
        return;
    LoadResources();
    SetRotation(0.0f);
    SetPosition(photo->GetScaleX() * m_cropX + photo->GetX(),
                photo->GetScaleY() * m_cropY + photo->GetY());
    const float ratio = m_ratioH != 0.0f ? m_ratioH : 1.0f;
    SetScale(photo->GetScaleX() * ratio, photo->GetScaleY() * ratio);
    const float angle = photo->GetRotation();
    if (angle == 0.0f)
        return;
    // Turn with the photo about the photo's centre.
    const float offset[2] = {GetX() - photo->GetX(), GetY() - photo->GetY()};
    float turned[2];
    RotateVector(turned, offset, angle);
    RotateBy(angle);
    MoveBy(turned[0] - offset[0], turned[1] - offset[1]);
}

void CImgTreeNode::SetName(const std::string& name)
{
    m_name = name;
    m_resourcesLoaded = false;
    NoteChanged();
}

void CImgTreeNode::SetCrop(float cropX, float cropY, float ratioH)
{
    m_cropX = cropX;
    m_cropY = cropY;
    m_ratioH = ratioH;
    NoteChanged();
}

} // namespace treeNode
