// Reading and writing the album file: the node class named by each element,
// and the document written from a node tree.
#include <cstdio>

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
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
bool WriteWholeText(const std::string& path, const std::string& text)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
} // namespace

bool CTreeNode::SaveToFile(const std::string& path)
{
    TiXmlDocument document;
    SaveXml(document);
    TiXmlPrinter printer;
    document.Accept(&printer);
    const std::string text = printer.Str();
    if (!ReplaceFileWith(path, [&](const std::string& temporary) {
            return WriteWholeText(temporary, text);
        }))
        return false;
    OnSavedToFile();
    return true;
}

} // namespace treeNode
