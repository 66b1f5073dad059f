#include "document/nodes/TestoTreeNode.h"

#include <algorithm>
#include <cstring>

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/nodes/HandleResize.h"
#include "document/nodes/PlacedBox.h"
#include "render/TextMemory.h"

namespace treeNode {

namespace {
constexpr size_t kFaceNameMax = LF_FACESIZE - 1;

LOGFONTA ReadLogFont(const TiXmlElement& element)
{
    LOGFONTA font{};
    int value = 0;
    auto readByte = [&](const char* name, BYTE& field) {
        value = 0;
        ReadIntAttribute(element, name, value);
        field = static_cast<BYTE>(value);
    };
    auto readLong = [&](const char* name, LONG& field) {
        value = 0;
        ReadIntAttribute(element, name, value);
        field = value;
    };
    readByte("lfCharSet", font.lfCharSet);
    readByte("lfClipPrecision", font.lfClipPrecision);
    readLong("lfEscapement", font.lfEscapement);
    std::string face;
    ReadStringAttribute(element, "lfFaceName", face);
    std::strncpy(font.lfFaceName, face.c_str(), kFaceNameMax);
    font.lfFaceName[kFaceNameMax] = '\0';
    readLong("lfHeight", font.lfHeight);
    readByte("lfItalic", font.lfItalic);
    readLong("lfOrientation", font.lfOrientation);
    readByte("lfOutPrecision", font.lfOutPrecision);
    readByte("lfPitchAndFamily", font.lfPitchAndFamily);
    readByte("lfQuality", font.lfQuality);
    readByte("lfStrikeOut", font.lfStrikeOut);
    readByte("lfUnderline", font.lfUnderline);
    readLong("lfWeight", font.lfWeight);
    readLong("lfWidth", font.lfWidth);
    return font;
}

LOGFONTA LogFontOf(HFONT font)
{
    LOGFONTA logFont{};
    if (font)
        GetObjectA(font, sizeof(logFont), &logFont);
    return logFont;
}

// A face name that fills its field has no end of its own.
LOGFONTA WithEndedFace(LOGFONTA font)
{
    font.lfFaceName[kFaceNameMax] = '\0';
    return font;
}

int ColourByte(COLORREF colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

int ClampByte(int value)
{
    return std::min(255, std::max(0, value));
}
} // namespace

CTestoTreeNode::CTestoTreeNode(const std::string& text, HFONT font, COLORREF colour,
                               CTreeNode* parent)
    : CTestoTreeNode(text, LogFontOf(font), colour, parent)
{
}

CTestoTreeNode::CTestoTreeNode(const std::string& text, const LOGFONTA& font, COLORREF colour,
                               CTreeNode* parent)
    : CTreeNode(tags::kTesto, parent),
      m_mesh(std::make_unique<CD3DText>(GetView())),
      m_text(text),
      m_logFont(WithEndedFace(font)),
      m_colour(colour)
{
    PushPlacement();
}

CTestoTreeNode::CTestoTreeNode(const TiXmlElement& element, CTreeNode* parent)
    : CTreeNode(element, parent),
      m_mesh(std::make_unique<CD3DText>(GetView()))
{
    ReadStringAttribute(element, "testo", m_text);
    const StoredPlacement stored = ReadPlacementAttributes(element);
    m_place = Placement{stored.x, stored.y, stored.scaleX, stored.scaleY, stored.rotation};
    int red = 0, green = 0, blue = 0;
    ReadIntAttribute(element, "red", red);
    ReadIntAttribute(element, "green", green);
    ReadIntAttribute(element, "blue", blue);
    m_colour = RGB(ClampByte(red), ClampByte(green), ClampByte(blue));
    m_logFont = ReadLogFont(element);
    PushPlacement();
}

CTestoTreeNode::CTestoTreeNode(const CTestoTreeNode& source, CTreeNode* parent)
    : CTreeNode(source, parent),
      m_mesh(std::make_unique<CD3DText>(GetView())),
      m_text(source.m_text),
      m_logFont(source.m_logFont),
      m_colour(source.m_colour),
      m_place(source.m_place)
{
    PushPlacement();
}

CTestoTreeNode::~CTestoTreeNode() = default;

void CTestoTreeNode::PushPlacement()
{
    m_mesh->SetPosition(m_place.x, m_place.y);
    m_mesh->SetScale(m_place.scaleX, m_place.scaleY);
    m_mesh->SetRotation(m_place.rotation);
}

HFONT CTestoTreeNode::DrawingFont()
{
    if (!m_font)
        m_font = SharedFont::Acquire(m_logFont);
    return m_font.Get();
}

void CTestoTreeNode::WriteAttributes(TiXmlElement& element)
{
    element.SetAttribute("testo", m_text);
    WritePlacementAttributes(element);
    SetIntAttribute(element, "red", ColourByte(m_colour, 0));
    SetIntAttribute(element, "green", ColourByte(m_colour, 8));
    SetIntAttribute(element, "blue", ColourByte(m_colour, 16));
    const LOGFONTA font = GetLogFont();
    SetIntAttribute(element, "lfCharSet", font.lfCharSet);
    SetIntAttribute(element, "lfClipPrecision", font.lfClipPrecision);
    SetIntAttribute(element, "lfEscapement", font.lfEscapement);
    element.SetAttribute("lfFaceName", font.lfFaceName);
    SetIntAttribute(element, "lfHeight", font.lfHeight);
    SetIntAttribute(element, "lfItalic", font.lfItalic);
    SetIntAttribute(element, "lfOrientation", font.lfOrientation);
    SetIntAttribute(element, "lfOutPrecision", font.lfOutPrecision);
    SetIntAttribute(element, "lfPitchAndFamily", font.lfPitchAndFamily);
    SetIntAttribute(element, "lfQuality", font.lfQuality);
    SetIntAttribute(element, "lfStrikeOut", font.lfStrikeOut);
    SetIntAttribute(element, "lfUnderline", font.lfUnderline);
    SetIntAttribute(element, "lfWeight", font.lfWeight);
    SetIntAttribute(element, "lfWidth", font.lfWidth);
    CTreeNode::WriteAttributes(element);
}

bool CTestoTreeNode::HitTestRect(float x1, float y1, float x2, float y2, NodeList* hits,
                                 bool includeLocked)
{
    return AnswerOwnHit(includeLocked, hits,
                        [&] { return m_mesh->IntersectsRect(x1, y1, x2, y2); });
}

bool CTestoTreeNode::HitTestPoint(float x, float y, NodeList* hits, bool includeLocked)
{
    return AnswerOwnHit(includeLocked, hits, [&] { return m_mesh->HitTest(x, y); });
}

void CTestoTreeNode::ScaleBy(float sx, float sy)
{
    m_place.scaleX *= sx;
    m_place.scaleY *= sy;
    m_mesh->ScaleBy(sx, sy);
}

void CTestoTreeNode::SetScale(float sx, float sy)
{
    m_place.scaleX = sx;
    m_place.scaleY = sy;
    m_mesh->SetScale(sx, sy);
}

void CTestoTreeNode::RotateBy(float angle)
{
    m_place.rotation += angle;
    m_mesh->RotateBy(angle);
}

void CTestoTreeNode::SetRotation(float angle)
{
    m_place.rotation = angle;
    m_mesh->SetRotation(angle);
}

void CTestoTreeNode::MoveBy(float dx, float dy)
{
    m_place.x += dx;
    m_place.y += dy;
    m_mesh->Move(dx, dy);
}

void CTestoTreeNode::SetPosition(float x, float y)
{
    m_place.x = x;
    m_place.y = y;
    m_mesh->SetPosition(x, y);
}

void CTestoTreeNode::BuildMeshIfDue()
{
    // A placeholder becomes the text again as soon as the texts' memory has
    // room, e.g. after other texts were deleted.
    if (!m_meshBuilt || (m_mesh->IsPlaceholder() && TextMemoryAllowsAnother())) {
        m_mesh->BuildMesh(m_text.c_str(), DrawingFont(), m_colour, 0.0f, 0.0f);
        PushPlacement();
        m_meshBuilt = true;
    }
}

void CTestoTreeNode::Render(int pass)
{
    BuildMeshIfDue();
    m_mesh->Render(pass);
}

bool CTestoTreeNode::DrawInTextRun(TextRun& texts)
{
    BuildMeshIfDue();
    m_mesh->DrawIn(texts);
    return true;
}

CD3DSelection& CTestoTreeNode::Selection()
{
    if (!m_selection)
        m_selection = std::make_unique<CD3DSelection>(GetView());
    return *m_selection;
}

void CTestoTreeNode::SyncSelection()
{
    DrawSelectionFrame(Selection(), *this, m_mesh->GetWidth());
}

int CTestoTreeNode::HitTestHandles(float x, float y)
{
    return IsSelected() ? Selection().HitTest(x, y) : kHandleNone;
}

float CTestoTreeNode::GetX()
{
    return m_place.x;
}

float CTestoTreeNode::GetY()
{
    return m_place.y;
}

float CTestoTreeNode::GetHeight()
{
    return m_mesh->GetHeight();
}

float CTestoTreeNode::GetWidth()
{
    return m_mesh->GetWidth();
}

float CTestoTreeNode::GetScaleX()
{
    return m_place.scaleX;
}

float CTestoTreeNode::GetScaleY()
{
    return m_place.scaleY;
}

float CTestoTreeNode::GetRotation()
{
    return m_place.rotation;
}

void CTestoTreeNode::ResizeByHandle(int handle, float dx, float dy, bool keepAspect)
{
    ResizeBoxByHandle(*this, GetWidth(), handle, dx, dy, keepAspect);
}

void CTestoTreeNode::GetBounds(float bounds[4], bool)
{
    D3DXMATRIX world;
    D3DXMATRIX part;
    D3DXMatrixScaling(&world, m_place.scaleX, m_place.scaleY, 1.0f);
    D3DXMatrixRotationZ(&part, m_place.rotation);
    world *= part;
    D3DXMatrixTranslation(&part, m_place.x, m_place.y, 0.0f);
    world *= part;
    BoundsOfPlacedBox(world, m_mesh->GetWidth(), bounds);
}

std::unique_ptr<CTreeNode> CTestoTreeNode::Clone(CTreeNode* parent) const
{
    return std::make_unique<CTestoTreeNode>(*this, parent);
}

void CTestoTreeNode::OnDeviceLost()
{
    if (m_selection)
        m_selection->OnLostDevice();
    CTreeNode::OnDeviceLost();
}

void CTestoTreeNode::OnDeviceReset()
{
    if (m_selection)
        m_selection->OnResetDevice();
    CTreeNode::OnDeviceReset();
}

void CTestoTreeNode::ReleaseResources()
{
    m_mesh->ReleaseResources();
    if (m_selection)
        m_selection->ReleaseResources();
    m_meshBuilt = false;
    m_font.Reset();
    CTreeNode::ReleaseResources();
}

void CTestoTreeNode::SetText(const std::string& text)
{
    m_text = text;
    m_meshBuilt = false;
    NoteChanged();
}

void CTestoTreeNode::SetFont(const LOGFONTA& font)
{
    m_logFont = WithEndedFace(font);
    m_font.Reset();
    m_meshBuilt = false;
    NoteChanged();
}

void CTestoTreeNode::SetColour(COLORREF colour)
{
    m_colour = colour;
    m_meshBuilt = false;
    NoteChanged();
}

} // namespace treeNode
