#include "document/pages/SposalboTreeNode.h"

#include <new>
#include <string>
#include <utility>

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"
#include "document/albumfile/NestingLimit.h"
#include "document/albumfile/PageTemplateMark.h"
#include "document/albumfile/XmlFile.h"
#include "document/services/DocumentMessageBox.h"
#include "document/services/FileOperation.h"
#include "document/services/FileStamp.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/DocumentHost.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PageUndo.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"

namespace treeNode {

namespace {
constexpr float kDefaultAspect = 2.0f;
constexpr size_t kShownValueLength = 40;

// A missing side takes its default; any side given must be a size, or the
// page would be drawn with no area, inside out or not at all.
std::string PageSizeFault(const TiXmlElement& element)
{
    const std::pair<const char*, const char*> sides[] = {{"pageWidth", "Larghezza"},
                                                         {"pageHeight", "Altezza"}};
    for (const auto& side : sides) {
        const char* text = element.Attribute(side.first);
        int millimetres = 0;
        if (!text || ParsePageSide(text, millimetres))
            continue;
        // A value of any length fits the message box cut short.
        std::string shown(text);
        if (shown.size() > kShownValueLength)
            shown = shown.substr(0, kShownValueLength) + "...";
        return std::string(side.second) + " della pagina non valida: " + side.first + "=\"" + shown +
               "\" (serve un numero intero di millimetri, almeno 1).";
    }
    return std::string();
}

void ReadPageSide(const TiXmlElement& element, const char* name, int& millimetres)
{
    if (const char* text = element.Attribute(name))
        ParsePageSide(text, millimetres);
}

// Where the parser stopped, when it knows, tells the user what to look at.
std::string NotXmlRefusal(const TiXmlDocument& document, const std::string& path)
{
    std::string told = path + ": il file \xE8 danneggiato o incompleto";
    // A text that ends too soon has no place where the parser stopped.
    if (document.Error() && document.ErrorRow() > 0)
        told += " (riga " + std::to_string(document.ErrorRow()) + ", colonna " +
            std::to_string(document.ErrorCol()) + ")";
    return told + ".";
}

std::string UnreadableRefusal(const std::string& path)
{
    switch (CFileOperation().GetPathKind(path.c_str())) {
    case CFileOperation::kPathMissing:
    case CFileOperation::kPathError:
        return path + ": il file non esiste.";
    case CFileOperation::kPathFolder:
        return path + ": \xE8 una cartella, non un file.";
    default:
        return path + ": il file non pu\xF2 essere letto.";
    }
}

// What the user is told of a file that was not read: which file, and why.
std::string ReadRefusal(XmlRead read, const TiXmlDocument& document, const std::string& path)
{
    switch (read) {
    case XmlRead::kRead:
        return std::string();
    case XmlRead::kNotXml:
        return NotXmlRefusal(document, path);
    case XmlRead::kTooDeep:
        return path + ": il file \xE8 danneggiato (oggetti annidati oltre " +
            std::to_string(kMaxNestingDepth) + " livelli).";
    case XmlRead::kTooManyElements:
        return "Troppi oggetti: il file ne contiene pi\xF9 di " + std::to_string(kMaxXmlElements) + ".";
    case XmlRead::kEmpty:
        return path + ": il file \xE8 vuoto.";
    case XmlRead::kTooLarge:
        return path + ": il file \xE8 troppo grande per la memoria disponibile (" +
            std::to_string(ReadFileStamp(path).size) + " byte).";
    case XmlRead::kUnreadable:
        break;
    }
    return UnreadableRefusal(path);
}
} // namespace

CSposalboTreeNode::CSposalboTreeNode(CD3DObj* view, CTreeNode* parent)
    : CTreeNode(tags::kSposalbo, parent),
      m_view(view),
      m_imageList(std::make_unique<spab_imagelist::CMImageList>()),
      m_dati(std::make_unique<CDatiTreeNode>(this))
{
}

CSposalboTreeNode::CSposalboTreeNode(const TiXmlElement& element, CD3DObj* view,
                                     CTreeNode* parent)
    : CTreeNode(element, parent, DeferChildren{}),
      m_view(view),
      m_imageList(std::make_unique<spab_imagelist::CMImageList>()),
      m_numMinPage(1),
      m_numMaxPage(30)
{
    // Built only now, so the pictures made while reading see the view. The
    // root element may have any name; it takes pages and the wedding data.
    BuildChildrenFromXml(element, tags::kSposalbo);
    for (size_t i = 0; i < GetChildCount();) {
        if (GetChild(i)->HasTag(tags::kDati)) {
            std::unique_ptr<CTreeNode> dati = DetachChild(i);
            m_dati.reset(static_cast<CDatiTreeNode*>(dati.release()));
        } else {
            ++i;
        }
    }
    if (!m_dati)
        m_dati = std::make_unique<CDatiTreeNode>(this);
    m_dati->SetParent(this);
    ReadAttributes(element);
    for (int i = 0; i < GetPageCount(); ++i)
        m_undo.push_back(std::make_unique<CPageUndo>());
}

CSposalboTreeNode::CSposalboTreeNode(const CSposalboTreeNode& source, CD3DObj* view)
    : CTreeNode(source.GetTag(), nullptr),
      m_view(view),
      m_imageList(source.m_imageList
                      ? std::make_unique<spab_imagelist::CMImageList>(*source.m_imageList)
                      : std::make_unique<spab_imagelist::CMImageList>()),
      m_pageWidth(source.m_pageWidth),
      m_pageHeight(source.m_pageHeight),
      m_rifilo(source.m_rifilo),
      m_currentPage(source.m_currentPage),
      m_numMinPage(source.m_numMinPage),
      m_numMaxPage(source.m_numMaxPage),
      m_idCounter(source.m_idCounter),
      m_useLowRes(source.m_useLowRes)
{
    std::unique_ptr<CTreeNode> dati = source.m_dati->Clone(this);
    m_dati.reset(static_cast<CDatiTreeNode*>(dati.release()));
    for (size_t i = 0; i < source.GetChildCount(); ++i) {
        InsertChildAt(GetChildCount(), source.GetChild(i)->Clone(this));
        m_undo.push_back(std::make_unique<CPageUndo>());
    }
}

CSposalboTreeNode::~CSposalboTreeNode() = default;

std::unique_ptr<CSposalboTreeNode> CSposalboTreeNode::Load(const std::string& path,
                                                           CD3DObj* view, std::string* refusal)
{
    TiXmlDocument document;
    const XmlRead read = ReadXmlFile(path, document);
    if (refusal)
        *refusal = ReadRefusal(read, document, path);
    if (read != XmlRead::kRead)
        return nullptr;
    const TiXmlElement* root = document.FirstChildElement();
    if (!root) {
        if (refusal)
            *refusal = path + ": il file non contiene alcun elemento.";
        return nullptr;
    }
    const std::string fault = PageSizeFault(*root);
    if (!fault.empty()) {
        if (refusal)
            *refusal = fault;
        return nullptr;
    }
    return std::make_unique<CSposalboTreeNode>(*root, view, nullptr);
}

void CSposalboTreeNode::ReadAttributes(const TiXmlElement& element)
{
    int current = 0;
    ReadIntAttribute(element, "paginacorrente", current);
    if (GetPageCount() == 0)
        m_currentPage = -1;
    else
        m_currentPage = current < 0 || current >= GetPageCount() ? 0 : current;
    ReadIntAttribute(element, "numMinPage", m_numMinPage);
    ReadIntAttribute(element, "numMaxPage", m_numMaxPage);
    ReadPageSide(element, "pageWidth", m_pageWidth);
    ReadPageSide(element, "pageHeight", m_pageHeight);
    ReadIntAttribute(element, "rifilo", m_rifilo);
}

void CSposalboTreeNode::WriteAttributes(TiXmlElement& element)
{
    SetIntAttribute(element, "paginacorrente", m_currentPage);
    m_dati->SaveXml(element);
    SetIntAttribute(element, "numMinPage", m_numMinPage);
    SetIntAttribute(element, "numMaxPage", m_numMaxPage);
    SetIntAttribute(element, "pageWidth", m_pageWidth);
    SetIntAttribute(element, "pageHeight", m_pageHeight);
    SetIntAttribute(element, "rifilo", m_rifilo);
    if (m_pageTemplate)
        SetIntAttribute(element, kPageTemplateMark, 1);
}

void CSposalboTreeNode::NoteRepairedNumber()
{
    ++m_repairedNumbers;
}

int CSposalboTreeNode::TakeRepairedNumbers()
{
    const int repaired = m_repairedNumbers;
    m_repairedNumbers = 0;
    return repaired;
}

void CSposalboTreeNode::OnSavedToFile()
{
    m_modified = false;
    CTreeNode::OnSavedToFile();
}

size_t CSposalboTreeNode::CountFileElements() const
{
    return CTreeNode::CountFileElements() + m_dati->CountFileElements();
}

bool CSposalboTreeNode::MayGrowBy(size_t elements) const
{
    if (elements <= kMaxXmlElements && CountFileElements() <= kMaxXmlElements - elements)
        return true;
    const std::string text = "Troppi oggetti: l'album ne conterrebbe pi\xF9 di " + std::to_string(kMaxXmlElements) +
        ".\nNon \xE8 stato aggiunto niente: un album cos\xEC non si potrebbe pi\xF9 aprire.";
    DocumentMessageBox(text.c_str(), "Troppi oggetti", MB_OK | MB_ICONWARNING);
    return false;
}

std::unique_ptr<CTreeNode> CSposalboTreeNode::Clone(CTreeNode*) const
{
    return CloneAlbum(m_view);
}

std::unique_ptr<CSposalboTreeNode> CSposalboTreeNode::CloneAlbum(CD3DObj* view) const
{
    return std::make_unique<CSposalboTreeNode>(*this, view);
}

CD3DObj* CSposalboTreeNode::GetView()
{
    return m_view;
}

bool CSposalboTreeNode::UseLowResImages()
{
    return m_useLowRes;
}

void CSposalboTreeNode::SetUseLowResImages(bool lowRes)
{
    m_useLowRes = lowRes;
}

bool CSposalboTreeNode::IsTemplateCopy()
{
    return m_templateCopy;
}

int CSposalboTreeNode::NextId()
{
    return ++m_idCounter;
}

spab_imagelist::CMImg* CSposalboTreeNode::FindImage(const std::string& name)
{
    return m_imageList ? m_imageList->Find(name.c_str()) : nullptr;
}

void CSposalboTreeNode::SetImageList(std::unique_ptr<spab_imagelist::CMImageList> list)
{
    m_imageList = std::move(list);
}

void CSposalboTreeNode::SetPageSize(int width, int height, int rifilo)
{
    m_pageWidth = width;
    m_pageHeight = height;
    m_rifilo = rifilo;
}

void CSposalboTreeNode::SetPageLimits(int numMinPage, int numMaxPage)
{
    m_numMinPage = numMinPage;
    m_numMaxPage = numMaxPage;
}

CPaginaTreeNode* CSposalboTreeNode::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return static_cast<CPaginaTreeNode*>(GetChild(static_cast<size_t>(index)));
}

CPaginaTreeNode* CSposalboTreeNode::GetCurrentPage() const
{
    return GetPage(m_currentPage);
}

float CSposalboTreeNode::GetAspectRatio() const
{
    if (m_pageHeight <= 0)
        return kDefaultAspect;
    return static_cast<float>(m_pageWidth) / static_cast<float>(m_pageHeight);
}

bool CSposalboTreeNode::IsCurrentPageCover() const
{
    CPaginaTreeNode* page = GetCurrentPage();
    return page && page->IsCover();
}

bool CSposalboTreeNode::CanUndo() const
{
    return GetCurrentPage() && m_undo[static_cast<size_t>(m_currentPage)]->CanUndo();
}

bool CSposalboTreeNode::CanRedo() const
{
    return GetCurrentPage() && m_undo[static_cast<size_t>(m_currentPage)]->CanRedo();
}

bool CSposalboTreeNode::IsModified() const
{
    if (m_modified)
        return true;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_undo[static_cast<size_t>(i)]->CanUndo() && GetPage(i)->IsPageModified())
            return true;
    }
    return false;
}

// ---- navigation

int CSposalboTreeNode::ChangeCurrent(int index)
{
    if (index != m_currentPage) {
        if (CPaginaTreeNode* old = GetCurrentPage())
            old->ReleaseResources();
        m_currentPage = index;
    }
    return m_currentPage;
}

int CSposalboTreeNode::NextPage()
{
    return m_currentPage + 1 < GetPageCount() ? ChangeCurrent(m_currentPage + 1) : m_currentPage;
}

int CSposalboTreeNode::PreviousPage()
{
    return m_currentPage - 1 >= 0 ? ChangeCurrent(m_currentPage - 1) : m_currentPage;
}

int CSposalboTreeNode::FirstPage()
{
    return ChangeCurrent(GetPageCount() > 0 ? 0 : -1);
}

int CSposalboTreeNode::LastPage()
{
    return ChangeCurrent(GetPageCount() - 1);
}

int CSposalboTreeNode::GoToPage(int index)
{
    return index >= 0 && index < GetPageCount() ? ChangeCurrent(index) : m_currentPage;
}

// ---- page list

void CSposalboTreeNode::RecordChange(int kind, int first, int second)
{
    m_change = PageListChange{kind, first, second};
    m_modified = true;
    m_pageListChanged = true;
}

void CSposalboTreeNode::InsertPage(size_t index, std::unique_ptr<CTreeNode> page)
{
    InsertChildAt(index, std::move(page));
    m_undo.insert(m_undo.begin() + static_cast<std::ptrdiff_t>(index),
                  std::make_unique<CPageUndo>());
}

bool CSposalboTreeNode::FillToMinPages()
{
    if (m_numMinPage > kMostPagesFilled)
        return false;
    while (GetPageCount() < m_numMinPage)
        InsertPage(GetChildCount(), std::make_unique<CPaginaTreeNode>(this));
    if (GetPageCount() > 0 && m_currentPage < 0)
        m_currentPage = 0;
    return true;
}

void CSposalboTreeNode::AddPage(int index)
{
    if (GetPageCount() >= m_numMaxPage || !MayGrowBy(1))
        return;
    const int place = index < 0 ? m_currentPage + 1 : index;
    if (place < GetPageCount()) {
        InsertPage(static_cast<size_t>(place), std::make_unique<CPaginaTreeNode>(this));
        m_currentPage = place;
    } else {
        InsertPage(GetChildCount(), std::make_unique<CPaginaTreeNode>(this));
        m_currentPage = GetPageCount() - 1;
    }
    RecordChange(kChangeInserted, place, 0);
}

void CSposalboTreeNode::CutPage(bool toClipboard)
{
    if (GetPageCount() <= m_numMinPage || !GetCurrentPage())
        return;
    const int removed = m_currentPage;
    std::unique_ptr<CTreeNode> page = DetachChild(static_cast<size_t>(removed));
    m_undo.erase(m_undo.begin() + removed);
    if (toClipboard)
        m_pageClipboard.reset(static_cast<CPaginaTreeNode*>(page.release()));
    m_currentPage = removed - 1;
    RecordChange(kChangeRemoved, removed, 0);
    RecountImageRefs();
}

void CSposalboTreeNode::DeletePage()
{
    CutPage(true);
}

void CSposalboTreeNode::CopyPage()
{
    if (CPaginaTreeNode* page = GetCurrentPage()) {
        std::unique_ptr<CTreeNode> copy = page->Clone(this);
        m_pageClipboard.reset(static_cast<CPaginaTreeNode*>(copy.release()));
    }
}

void CSposalboTreeNode::PastePage()
{
    if (GetPageCount() >= m_numMaxPage || !m_pageClipboard || !MayGrowBy(m_pageClipboard->CountFileElements()))
        return;
    m_currentPage = m_currentPage >= 0 ? m_currentPage + 1 : 0;
    InsertPage(static_cast<size_t>(m_currentPage), m_pageClipboard->Clone(this));
    RecordChange(kChangeInserted, m_currentPage, 0);
    RecountImageRefs();
    KeepSingleCover(false);
}

int CSposalboTreeNode::MovePageBefore()
{
    const int c = m_currentPage;
    if (c <= 0 || c >= GetPageCount())
        return m_currentPage;
    std::unique_ptr<CTreeNode> page = DetachChild(static_cast<size_t>(c));
    InsertChildAt(static_cast<size_t>(c - 1), std::move(page));
    std::swap(m_undo[static_cast<size_t>(c)], m_undo[static_cast<size_t>(c - 1)]);
    m_currentPage = c - 1;
    RecordChange(kChangeMoved, c, c - 1);
    return m_currentPage;
}

int CSposalboTreeNode::MovePageAfter()
{
    const int c = m_currentPage;
    if (c < 0 || c >= GetPageCount() - 1)
        return m_currentPage;
    std::unique_ptr<CTreeNode> page = DetachChild(static_cast<size_t>(c));
    InsertChildAt(static_cast<size_t>(c + 1), std::move(page));
    std::swap(m_undo[static_cast<size_t>(c)], m_undo[static_cast<size_t>(c + 1)]);
    m_currentPage = c + 1;
    RecordChange(kChangeMoved, c, c + 1);
    return m_currentPage;
}

bool CSposalboTreeNode::SetCover(bool cover)
{
    CPaginaTreeNode* page = GetCurrentPage();
    if (!page)
        return false;
    const bool previous = page->IsCover();
    if (previous != cover) {
        KeepSingleCover(true);
        page->SetCover(cover);
        // The cover is written with the album: a change of it alone is one
        // to save.
        m_modified = true;
    }
    return previous;
}

void CSposalboTreeNode::KeepSingleCover(bool clearAll)
{
    bool seen = false;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPaginaTreeNode* page = GetPage(i);
        if (page->IsCover() && !clearAll && !seen) {
            seen = true;
            continue;
        }
        page->SetCover(false);
    }
}

// ---- undo

void CSposalboTreeNode::SaveUndo()
{
    if (CPaginaTreeNode* page = GetCurrentPage())
        m_undo[static_cast<size_t>(m_currentPage)]->Snapshot(*page);
}

void CSposalboTreeNode::Undo()
{
    StepPageHistory(&CPageUndo::Undo);
}

void CSposalboTreeNode::Redo()
{
    StepPageHistory(&CPageUndo::Redo);
}

void CSposalboTreeNode::StepPageHistory(void (CPageUndo::*step)(CSposalboTreeNode&, int))
{
    if (!GetCurrentPage())
        return;
    (m_undo[static_cast<size_t>(m_currentPage)].get()->*step)(*this, m_currentPage);
    RecountImageRefs();
    KeepSingleCover(false);
    // The page now differs from what was saved, even with an empty history.
    m_modified = true;
    GetCurrentPage()->SetPageModified(true);
    GetCurrentPage()->SetNeedsRefresh(true);
}

// ---- pictures in use and the object clipboard

void CSposalboTreeNode::RecountImageRefs()
{
    if (!m_imageList)
        return;
    // The photo bar is told once, when the count is complete.
    spab_imagelist::CMImageList::RefBatch batch(*m_imageList);
    m_imageList->ResetRefs();
    for (int i = 0; i < GetPageCount(); ++i) {
        CPaginaTreeNode* page = GetPage(i);
        for (size_t c = 0; c < page->GetChildCount(); ++c)
            page->AddImageRefs(page->GetChild(c));
        // A background shows one of the album's photos only when its picture
        // is a photo; a library picture of the same name is no use of it.
        page->AddImageRefs(page->GetBackground());
    }
}

bool CSposalboTreeNode::IsPhotoInUse(const std::string& name) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i)->UsesPhoto(name) || m_undo[static_cast<size_t>(i)]->UsesPhoto(name))
            return true;
    }
    if (m_pageClipboard && m_pageClipboard->UsesPhoto(name))
        return true;
    for (const auto& node : m_objectClipboard) {
        if (CPaginaTreeNode::NamesPhoto(node.get(), name))
            return true;
    }
    return false;
}

std::vector<std::string> CSposalboTreeNode::GetUnlistedPhotos() const
{
    std::vector<std::string> names;
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->CollectUnlistedPhotos(names);
    return names;
}

void CSposalboTreeNode::CopySelection()
{
    CPaginaTreeNode* page = GetCurrentPage();
    if (!page)
        return;
    m_objectClipboard.clear();
    // Clipboard objects hang under the album, which outlives every page.
    for (CTreeNode* node : page->GetSelection())
        m_objectClipboard.push_back(node->Clone(this));
}

void CSposalboTreeNode::CutSelection()
{
    CPaginaTreeNode* page = GetCurrentPage();
    if (!page)
        return;
    page->SaveUndo();
    m_objectClipboard.clear();
    // Taking them out also drops every cut object, nested ones included,
    // from the page's selection before the clipboard owns them.
    for (auto& node : page->TakeSelectedChildren()) {
        node->SetSelectedFlagOnly(false);
        page->ReleaseImageRefs(node.get());
        // Off the page it draws nothing: its textures and text meshes go
        // back now, a paste's copies make their own.
        node->ReleaseResources();
        node->SetParent(this);
        m_objectClipboard.push_back(std::move(node));
    }
}

void CSposalboTreeNode::PasteSelection()
{
    CPaginaTreeNode* page = GetCurrentPage();
    size_t pasted = 0;
    for (const auto& node : m_objectClipboard)
        pasted += node->CountFileElements();
    if (!page || !MayGrowBy(pasted))
        return;
    // Every copy is made before the page changes: a paste that runs out of
    // memory leaves the page and its history as they were.
    std::vector<std::unique_ptr<CTreeNode>> copies;
    copies.reserve(m_objectClipboard.size());
    for (const auto& node : m_objectClipboard)
        copies.push_back(node->Clone(page));
    page->ReserveObjects(copies.size());
    const NodeList selectedBefore = page->GetSelection();
    const size_t objectsBefore = page->GetChildCount();
    page->SaveUndo();
    try {
        page->SelectAll(false);
        for (std::unique_ptr<CTreeNode>& copy : copies) {
            CTreeNode* placed = copy.get();
            page->InsertChildAt(page->GetChildCount(), std::move(copy));
            placed->SetSelected(true);
            placed->MoveBy(0.1f, -0.1f);
            page->AddImageRefs(placed);
        }
    } catch (const std::bad_alloc&) {
        UndoPartialPaste(*page, objectsBefore, selectedBefore);
        throw;
    }
}

void CSposalboTreeNode::UndoPartialPaste(CPaginaTreeNode& page, size_t objectsBefore,
                                         const NodeList& selectedBefore)
{
    // Nothing here allocates: the room for the selection was reserved.
    while (!page.GetSelection().empty())
        page.GetSelection().back()->SetSelected(false);
    while (page.GetChildCount() > objectsBefore)
        page.DetachChild(page.GetChildCount() - 1);
    for (CTreeNode* node : selectedBefore)
        node->SetSelected(true);
    m_undo[static_cast<size_t>(m_currentPage)]->DiscardLastSnapshot();
    RecountImageRefs();
}

} // namespace treeNode
