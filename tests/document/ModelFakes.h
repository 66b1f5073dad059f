#pragma once
// Stand-ins for the album model tests: a host whose keys and dialogs the test
// sets, and a plain page object with its own box geometry, so page commands
// can be checked without pictures or a device.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <set>
#include <vector>
#include <string>

#include "document/DocumentHost.h"
#include "document/albumfile/XmlFile.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/nodes/TreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/TestPictures.h"

namespace model_test {

class FakeHost : public IDocumentHost {
public:
    FakeHost() { SetDocumentHost(this); }
    ~FakeHost() override { SetDocumentHost(nullptr); }
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    std::string GetResourceFolder(int kind, bool lowRes, const std::string& name,
                                  bool personal) override
    {
        ++pathRequests;
        lastName = name;
        return folder + std::to_string(kind) + (lowRes ? "lo" : "hi") + (personal ? "p" : "") +
               "\\" + name;
    }
    int GetToolMode() override { return 0; }
    bool IsKeyDown(int key) override { return keys.count(key) > 0; }
    treeNode::CPaginaTreeNode* GetCurrentPage() override { return nullptr; }
    bool ChooseColour(uint32_t initial, uint32_t& chosen) override
    {
        offeredColour = initial;
        chosen = colourToChoose;
        return confirmColour;
    }
    void EditSelectionColour() override { ++colourEdits; }
    bool EditText(std::string& text, LOGFONTA& font, COLORREF& colour) override
    {
        ++textEdits;
        offeredText = text;
        offeredFont = font;
        offeredTextColour = colour;
        text = textToEnter;
        if (fontToChoose.lfFaceName[0])
            font = fontToChoose;
        colour = textColourToChoose;
        return confirmText;
    }
    // Counted, then answered as any text dialog.
    bool EditNewText(std::string& text, LOGFONTA& font, COLORREF& colour) override
    {
        ++newTextEdits;
        return EditText(text, font, colour);
    }
    void InvalidatePhotoThumbnails() override { ++thumbnailInvalidations; }
    void LayoutPageStatic() override { ++layouts; }
    bool IsLabFont(const std::string& face) override { return labFonts.count(face) > 0; }

    std::set<int> keys;
    std::string folder = "c:\\lib\\";
    std::string lastName;
    int pathRequests = 0;
    uint32_t offeredColour = 0;
    uint32_t colourToChoose = 0;
    bool confirmColour = false;
    int colourEdits = 0;
    std::string textToEnter;
    bool confirmText = false;
    int thumbnailInvalidations = 0;
    // The text dialog: what it was opened with, what the user chooses (a font
    // without a face keeps the offered one).
    int textEdits = 0;
    int newTextEdits = 0;  // of textEdits, those for a text being made
    std::string offeredText;
    LOGFONTA offeredFont{};
    COLORREF offeredTextColour = 0;
    LOGFONTA fontToChoose{};
    COLORREF textColourToChoose = 0;
    int layouts = 0;
    std::set<std::string> labFonts;
};

// A page object that is just a box: w wide and 1 high at scale 1, placed by
// scale, then rotation, then position.
class FakeBox : public treeNode::CTreeNode {
public:
    FakeBox(treeNode::CTreeNode* parent, float x, float y, float width = 1.0f, float sx = 1.0f,
            float sy = 1.0f)
        : CTreeNode("box", parent), m_x(x), m_y(y), m_w(width), m_sx(sx), m_sy(sy)
    {
    }
    FakeBox(const FakeBox& source, treeNode::CTreeNode* parent)
        : CTreeNode(source, parent),
          m_x(source.m_x), m_y(source.m_y), m_w(source.m_w), m_sx(source.m_sx),
          m_sy(source.m_sy), m_r(source.m_r)
    {
    }

    std::unique_ptr<treeNode::CTreeNode> Clone(treeNode::CTreeNode* parent) const override
    {
        return std::make_unique<FakeBox>(*this, parent);
    }
    void MoveBy(float dx, float dy) override { m_x += dx; m_y += dy; }
    void SetPosition(float x, float y) override { m_x = x; m_y = y; }
    void SetScale(float sx, float sy) override { m_sx = sx; m_sy = sy; }
    void ScaleBy(float sx, float sy) override { m_sx *= sx; m_sy *= sy; }
    void RotateBy(float a) override { m_r += a; }
    void SetRotation(float a) override { m_r = a; }
    float GetX() override { return m_x; }
    float GetY() override { return m_y; }
    float GetWidth() override { return m_w; }
    float GetHeight() override { return 1.0f; }
    float GetScaleX() override { return m_sx; }
    float GetScaleY() override { return m_sy; }
    float GetRotation() override { return m_r; }
    void GetBounds(float b[4], bool) override
    {
        b[0] = b[3] = FLT_MAX;
        b[1] = b[2] = -FLT_MAX;
        const float hw = m_w * m_sx / 2.0f, hh = m_sy / 2.0f;
        const float cs[4][2] = {{-hw, hh}, {hw, hh}, {hw, -hh}, {-hw, -hh}};
        for (const auto& c : cs) {
            const float x = m_x + c[0] * std::cos(m_r) - c[1] * std::sin(m_r);
            const float y = m_y + c[0] * std::sin(m_r) + c[1] * std::cos(m_r);
            b[0] = std::min(b[0], x);
            b[2] = std::max(b[2], x);
            b[1] = std::max(b[1], y);
            b[3] = std::min(b[3], y);
        }
    }

private:
    float m_x, m_y, m_w, m_sx, m_sy, m_r = 0.0f;
};

// Leaves the album's file room for that many elements more before the
// reader's ceiling: the wedding data takes or gives the difference, so the
// pages stay as the test made them.
inline void LeaveRoomFor(treeNode::CSposalboTreeNode& album, size_t room)
{
    treeNode::CDatiTreeNode& dati = *album.GetDati();
    const size_t wanted = kMaxXmlElements - room;
    size_t count = album.CountFileElements();
    for (; count < wanted; ++count)
        dati.InsertChildAt(dati.GetChildCount(), std::make_unique<treeNode::CVariabileTreeNode>("v", "x", &dati));
    for (; count > wanted && dati.GetChildCount() > 0; --count)
        dati.DetachChild(dati.GetChildCount() - 1);
}

// A small 24-bit picture of one colour, twice as wide as high.
inline void WriteBmp(const char* path, uint8_t red, uint8_t green, uint8_t blue)
{
    ::WriteBmp(path, 8, 4, [=](int, int) { return Rgba{red, green, blue, 255}; });
}

} // namespace model_test
