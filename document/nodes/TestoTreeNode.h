#pragma once
// A text object of a page ("testo"): a string drawn in a font and colour as a
// Direct3D text mesh, placed, scaled and turned like a picture and resized
// by the same eight handles.
#include <windows.h>

#include <memory>
#include <string>

#include "document/nodes/TreeNode.h"
#include "render/D3DSelection.h"
#include "render/D3DText.h"
#include "render/SharedFont.h"

namespace treeNode {

class CTestoTreeNode : public CTreeNode {
public:
    CTestoTreeNode(const std::string& text, HFONT font, COLORREF colour, CTreeNode* parent);
    CTestoTreeNode(const std::string& text, const LOGFONTA& font, COLORREF colour,
                   CTreeNode* parent);
    CTestoTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CTestoTreeNode(const CTestoTreeNode& source, CTreeNode* parent);
    ~CTestoTreeNode() override;

    void WriteAttributes(TiXmlElement& element) override;
    bool HitTestRect(float x1, float y1, float x2, float y2, NodeList* hits,
                     bool includeLocked) override;
    bool HitTestPoint(float x, float y, NodeList* hits, bool includeLocked) override;
    void ScaleBy(float sx, float sy) override;
    void SetScale(float sx, float sy) override;
    void RotateBy(float angle) override;
    void MoveBy(float dx, float dy) override;
    void SetPosition(float x, float y) override;
    void Render(int pass) override;
    bool DrawInTextRun(TextRun& texts) override;
    void SyncSelection() override;
    int HitTestHandles(float x, float y) override;
    float GetX() override;
    float GetY() override;
    float GetHeight() override;
    float GetWidth() override;
    float GetScaleX() override;
    float GetScaleY() override;
    float GetRotation() override;
    void ResizeByHandle(int handle, float dx, float dy, bool keepAspect) override;
    void GetBounds(float bounds[4], bool onlySelected) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;
    void SetRotation(float angle) override;
    void OnDeviceLost() override;
    void OnDeviceReset() override;
    void ReleaseResources() override;

    const std::string& GetText() const { return m_text; }
    COLORREF GetColour() const { return m_colour; }
    LOGFONTA GetLogFont() const { return m_logFont; }
    // The font the text is drawn with, shared with every text of the same
    // face, size and style; held from the first draw until the mesh goes.
    HFONT DrawingFont();
    // Each change has the mesh built again on the next draw.
    void SetText(const std::string& text);
    void SetFont(const LOGFONTA& font);
    void SetColour(COLORREF colour);
    bool IsMeshBuilt() const { return m_meshBuilt; }
    CD3DText& Mesh() { return *m_mesh; }

private:
    // The mesh forgets its placement when it releases its geometry, so the
    // node keeps its own and hands it on.
    struct Placement {
        float x = 0.0f, y = 0.0f;
        float scaleX = 0.1f, scaleY = 0.1f;
        float rotation = 0.0f;
    };
    void PushPlacement();
    void BuildMeshIfDue();
    CD3DSelection& Selection();

    std::unique_ptr<CD3DText> m_mesh;
    // Made when the text is first selected: nine handles for each of tens of
    // thousands of texts took a fifth of the load of a page at the ceiling
    // of objects and over a hundred megabytes.
    std::unique_ptr<CD3DSelection> m_selection;
    bool m_meshBuilt = false;
    std::string m_text;
    LOGFONTA m_logFont{};
    SharedFont m_font;
    COLORREF m_colour = 0;
    Placement m_place;
};

} // namespace treeNode
