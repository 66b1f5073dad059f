// Reading and writing the album file: the node class named by each element,
// and the document written from a node tree.

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/albumfile/XmlFile.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/nodes/EffectTreeNode.h"
#include "imagelib/FileReplace.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImageTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/nodes/TestoTreeNode.h"

namespace treeNode {

std::unique_ptr<CTreeNode> CTreeNode::CreateFromXml(const TiXmlElement& element,
                                                    CTreeNode* parent)
{
    const std::string name = element.ValueStr();
    if (name == tags::kImmagine)
        return std::make_unique<CImgTreeNode>(element, parent);
    if (name == tags::kGruppo)
        return std::make_unique<CGruppoTreeNode>(element, parent);
    if (name == tags::kTesto)
        return std::make_unique<CTestoTreeNode>(element, parent);
    if (name == tags::kEffetto)
        return std::make_unique<CEffectTreeNode>(element, parent);
    if (name == tags::kSfondo)
        return std::make_unique<CSfondoTreeNode>(element, parent);
    if (name == tags::kPagina)
        return std::make_unique<CPaginaTreeNode>(element, parent);
    if (name == tags::kSposalbo)
        return std::make_unique<CSposalboTreeNode>(element, nullptr, parent);
    if (name == tags::kCornice)
        return std::make_unique<CCorniceTreeNode>(element, parent);
    if (name == tags::kImage)
        return std::make_unique<CImageTreeNode>(element, parent);
    if (name == tags::kDati)
        return std::make_unique<CDatiTreeNode>(element, parent);
    if (name == tags::kVariabile)
        return std::make_unique<CVariabileTreeNode>(element, parent);
    return nullptr;
}

namespace {
bool IsPageObject(const std::string& kind)
{
    return kind == tags::kImmagine || kind == tags::kImage || kind == tags::kCornice ||
           kind == tags::kGruppo || kind == tags::kTesto;
}

// What each kind holds: the album its pages and wedding data, the wedding
// data its variables, a page its objects and background, a background one
// picture, a picture its effect first, a frame or group its effect first and
// page objects. A nested album, a page inside a page or a picture directly
// under the album is no part of any album.
bool TakesChild(const std::string& parent, const std::string& child, size_t takenSoFar)
{
    const bool firstEffect = child == tags::kEffetto && takenSoFar == 0;
    if (parent == tags::kSposalbo)
        return child == tags::kPagina || child == tags::kDati;
    if (parent == tags::kDati)
        return child == tags::kVariabile;
    if (parent == tags::kPagina)
        return IsPageObject(child) || child == tags::kSfondo;
    if (parent == tags::kSfondo)
        return takenSoFar == 0 && (child == tags::kImmagine || child == tags::kImage);
    if (parent == tags::kImmagine || parent == tags::kImage)
        return firstEffect;
    if (parent == tags::kCornice || parent == tags::kGruppo)
        return firstEffect || IsPageObject(child);
    return false;
}
} // namespace

void CTreeNode::BuildChildrenFromXml(const TiXmlElement& element, const std::string& kind)
{
    if (!CanHoldNested(1))
        return;
    for (const TiXmlElement* child = element.FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        if (!TakesChild(kind, child->ValueStr(), m_children.size()))
            continue;
        if (std::unique_ptr<CTreeNode> node = CreateFromXml(*child, this))
            m_children.push_back(std::move(node));
    }
}

bool CTreeNode::SaveToFile(const std::string& path)
{
    // A file the reader would refuse is never written over one it reads.
    if (CountFileElements() > kMaxXmlElements)
        return false;
    TiXmlDocument document;
    SaveXml(document);
    if (!ReplaceFileWithBytes(path, XmlText(document)))
        return false;
    OnSavedToFile();
    return true;
}

} // namespace treeNode
