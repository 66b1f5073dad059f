// The page's background commands and the colour changes of the selection.
#include <algorithm>

#include "document/DocumentHost.h"
#include "document/nodes/ImgColor.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"

namespace treeNode {

namespace {
uint32_t ColourByte(float value)
{
    return static_cast<uint32_t>(std::min(255.0f, std::max(0.0f, value * 255.0f)));
}

float ColourFraction(uint32_t colour, int shift)
{
    return std::min(1.0f, static_cast<float>((colour >> shift) & 0xFF) / 255.0f);
}
} // namespace

void CPaginaTreeNode::SetBackgroundImage(std::unique_ptr<CImgTreeNode> image)
{
    SaveUndo();
    if (!m_background)
        m_background = std::make_unique<CSfondoTreeNode>(this);
    m_background->SetImage(std::move(image));
}

void CPaginaTreeNode::RemoveBackground()
{
    if (!m_background)
        return;
    SaveUndo();
    m_background.reset();
    m_backgroundEditMode = false;
}

void CPaginaTreeNode::RotateBackground(float angle)
{
    if (!m_background || !m_background->HasImage())
        return;
    SaveUndo();
    m_background->RotateBy(angle);
}

void CPaginaTreeNode::ChooseBackgroundColour()
{
    IDocumentHost* host = GetDocumentHost();
    if (!host)
        return;
    if (m_background && m_background->HasImage()) {
        m_backgroundEditMode = true;
        host->EditSelectionColour();
        m_backgroundEditMode = false;
        return;
    }
    uint32_t initial = 0x00FFFFFF;
    if (m_background) {
        initial = ColourByte(m_background->red) | ColourByte(m_background->green) << 8 |
                  ColourByte(m_background->blue) << 16;
    }
    uint32_t chosen = 0;
    if (!host->ChooseColour(initial, chosen))
        return;
    SaveUndo();
    if (!m_background)
        m_background = std::make_unique<CSfondoTreeNode>(this);
    m_background->red = ColourFraction(chosen, 0);
    m_background->green = ColourFraction(chosen, 8);
    m_background->blue = ColourFraction(chosen, 16);
}

CImgColor* CPaginaTreeNode::GetColourSettings()
{
    if (m_backgroundEditMode)
        return m_background ? m_background->GetColourSettings() : nullptr;
    // The one object the colours will go to, also when it lies inside a
    // frame or group (chosen with Alt): the dialog starts from its own
    // colours, not from neutral ones that OK would write over them.
    return m_selection.size() == 1 ? m_selection.front()->GetColourSettings() : nullptr;
}

void CPaginaTreeNode::SetColourSettings(const CImgColor* colour, bool preview)
{
    if (!colour)
        return;
    if (m_backgroundEditMode) {
        SaveUndo();
        if (m_background)
            m_background->SetColourSettings(colour, preview);
        return;
    }
    if (m_selection.empty())
        return;
    SaveUndo();
    if (m_selection.size() == 1) {
        m_selection.front()->SetColourSettings(colour, preview);
        return;
    }
    for (CTreeNode* node : MovableSelection()) {
        if (const CImgColor* own = node->GetColourSettings()) {
            CImgColor combined = *own;
            combined.Multiply(*colour);
            node->SetColourSettings(&combined, preview);
        } else {
            node->SetColourSettings(colour, preview);
        }
    }
}

void CPaginaTreeNode::SetAlpha(float alpha, bool preview)
{
    if (m_backgroundEditMode) {
        SaveUndo();
        if (m_background)
            m_background->SetAlpha(alpha, preview);
        return;
    }
    if (m_selection.empty())
        return;
    SaveUndo();
    if (m_selection.size() == 1) {
        m_selection.front()->SetAlpha(alpha, preview);
        return;
    }
    for (CTreeNode* node : MovableSelection()) {
        const CImgColor* own = node->GetColourSettings();
        node->SetAlpha(own ? own->alpha * alpha : alpha, preview);
    }
}

void CPaginaTreeNode::ReapplyColour()
{
    SaveUndo();
    if (m_backgroundEditMode) {
        if (m_background)
            m_background->ReapplyColour();
        return;
    }
    // Every selected object, as a single one inside a frame or group was
    // previewed too: each shows its own colours again.
    for (CTreeNode* node : m_selection)
        node->ReapplyColour();
}

} // namespace treeNode
