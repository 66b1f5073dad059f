// Reading and writing the album file: the node class named by each element,
// and the document written from a node tree.
#include <cstdio>

#include <windows.h>

#include <tinyxml.h>

#include "document/AlbumXml.h"
#include "document/CorniceTreeNode.h"
#include "document/DatiTreeNode.h"
#include "document/EffectTreeNode.h"
#include "document/GruppoTreeNode.h"
#include "document/ImageTreeNode.h"
#include "document/ImgTreeNode.h"
#include "document/PaginaTreeNode.h"
#include "document/SfondoTreeNode.h"
#include "document/SposalboTreeNode.h"
#include "document/TestoTreeNode.h"

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
// Writes the whole text beside the target and then puts it in the target's
// place, so a failure at any point leaves the old file as it was.
bool ReplaceFileWith(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".new";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed ||
        !MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}
} // namespace

bool CTreeNode::SaveToFile(const std::string& path)
{
    TiXmlDocument document;
    SaveXml(document);
    TiXmlPrinter printer;
    document.Accept(&printer);
    if (!ReplaceFileWith(path, printer.Str()))
        return false;
    OnSavedToFile();
    return true;
}

} // namespace treeNode
