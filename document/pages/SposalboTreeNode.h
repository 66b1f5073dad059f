#pragma once
// The root of an album's node tree ("sposalbo"): its pages with one undo
// history each, the wedding data, the album image list and the page and
// object clipboards. It carries out the page-list commands and answers the
// questions the nodes send up the tree.
#include <memory>
#include <string>
#include <vector>

#include "document/nodes/TreeNode.h"

class CPageUndo;

namespace spab_imagelist {
class CMImageList;
}

namespace treeNode {

class CDatiTreeNode;
class CPaginaTreeNode;

class CSposalboTreeNode : public CTreeNode {
public:
    // Last change of the page list, for the page bar.
    enum ChangeKind { kChangeAll = 0, kChangeInserted = 1, kChangeRemoved = 2, kChangeMoved = 3 };
    struct PageListChange {
        int kind = kChangeAll;
        int first = 0;
        int second = 0;
    };

    CSposalboTreeNode(CD3DObj* view, CTreeNode* parent);
    CSposalboTreeNode(const TiXmlElement& element, CD3DObj* view, CTreeNode* parent);
    CSposalboTreeNode(const CSposalboTreeNode& source, CD3DObj* view);
    ~CSposalboTreeNode() override;

    // The album in the file, or null when it cannot be read or has no element,
    // or when its page size is no size a page can have (said in refusal,
    // naming the value), or it is empty, holds too many objects or runs out
    // of memory while it is read (said in refusal). Running out of memory
    // while the album is built throws std::bad_alloc.
    static std::unique_ptr<CSposalboTreeNode> Load(const std::string& path, CD3DObj* view,
                                                    std::string* refusal = nullptr);

    void WriteAttributes(TiXmlElement& element) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;
    CD3DObj* GetView() override;
    bool UseLowResImages() override;
    void SaveUndo() override;
    bool IsTemplateCopy() override;
    int NextId() override;
    spab_imagelist::CMImg* FindImage(const std::string& name) override;
    void OnSavedToFile() override;
    // The wedding data, held apart, is written inside the album.
    size_t CountFileElements() const override;

    // Whether the album's file, elements more, would still be read again
    // (kMaxXmlElements). When not, the user is told and the edit that asks
    // leaves the album and its histories as they are.
    bool MayGrowBy(size_t elements) const;

    virtual std::unique_ptr<CSposalboTreeNode> CloneAlbum(CD3DObj* view) const;
    virtual void SetUseLowResImages(bool lowRes);

    int GetPageCount() const { return static_cast<int>(GetChildCount()); }
    int GetCurrentPageIndex() const { return m_currentPage; }
    CPaginaTreeNode* GetPage(int index) const;
    CPaginaTreeNode* GetCurrentPage() const;
    bool IsAtMaxPages() const { return GetPageCount() >= m_numMaxPage; }
    bool IsAtMinPages() const { return GetPageCount() <= m_numMinPage; }
    float GetAspectRatio() const;
    bool IsCurrentPageCover() const;
    bool CanUndo() const;
    bool CanRedo() const;
    PageListChange GetPageListChange() const { return m_change; }
    bool HasPageListChanged() const { return m_pageListChanged; }
    void ClearPageListChanged() { m_pageListChanged = false; }
    spab_imagelist::CMImageList* GetImageList() const { return m_imageList.get(); }
    void SetImageList(std::unique_ptr<spab_imagelist::CMImageList> list);
    CDatiTreeNode* GetDati() const { return m_dati.get(); }
    bool IsModified() const;
    void SetModified(bool modified) { m_modified = modified; }
    void SetTemplateCopy(bool copy) { m_templateCopy = copy; }
    // A page template is marked, so that the new-album list leaves it out.
    void SetPageTemplate(bool page) { m_pageTemplate = page; }
    // How many numbers of the album's objects were repaired since it was
    // read (or since the last call); the count starts again at 0.
    int TakeRepairedNumbers();

    int GetPageWidth() const { return m_pageWidth; }
    int GetPageHeight() const { return m_pageHeight; }
    int GetRifilo() const { return m_rifilo; }
    int GetNumMinPage() const { return m_numMinPage; }
    int GetNumMaxPage() const { return m_numMaxPage; }
    void SetPageSize(int width, int height, int rifilo);
    void SetPageLimits(int numMinPage, int numMaxPage);

    int NextPage();
    int PreviousPage();
    int FirstPage();
    int LastPage();
    int GoToPage(int index);

    // Blank spreads at the end up to the album's least number, as a new album
    // from a template starts; false, adding none, for a least number above
    // kMostPagesFilled.
    static constexpr int kMostPagesFilled = 999;
    bool FillToMinPages();
    void AddPage(int index);
    void CutPage(bool toClipboard);
    void DeletePage();
    void CopyPage();
    void PastePage();
    int MovePageBefore();
    int MovePageAfter();
    bool SetCover(bool cover);
    void KeepSingleCover(bool clearAll);
    void Undo();
    void Redo();
    void RecountImageRefs();
    // Whether a page, the undo or redo history of a page, or a clipboard
    // still shows that album photo: its files must stay.
    bool IsPhotoInUse(const std::string& name) const;
    // The album photos the pages show that the album image list does not
    // have (a list lost or damaged): the laboratory would not get them.
    std::vector<std::string> GetUnlistedPhotos() const;
    void CopySelection();
    void CutSelection();
    void PasteSelection();

    const std::vector<std::unique_ptr<CTreeNode>>& GetObjectClipboard() const
    {
        return m_objectClipboard;
    }
    CPaginaTreeNode* GetPageClipboard() const { return m_pageClipboard.get(); }

protected:
    void NoteRepairedNumber() override;

private:
    // A paste that ran out of memory halfway: the page and its history as they were.
    void UndoPartialPaste(CPaginaTreeNode& page, size_t objectsBefore, const NodeList& selectedBefore);
    void ReadAttributes(const TiXmlElement& element);
    int ChangeCurrent(int index);
    void RecordChange(int kind, int first, int second);
    void InsertPage(size_t index, std::unique_ptr<CTreeNode> page);
    // One undo or redo step of the current page, taken as a change.
    void StepPageHistory(void (CPageUndo::*step)(CSposalboTreeNode&, int));

    std::vector<std::unique_ptr<CPageUndo>> m_undo;
    CD3DObj* m_view;
    std::unique_ptr<spab_imagelist::CMImageList> m_imageList;
    int m_pageWidth = 100;
    int m_pageHeight = 50;
    int m_rifilo = 2;
    int m_currentPage = -1;
    std::unique_ptr<CDatiTreeNode> m_dati;
    std::unique_ptr<CPaginaTreeNode> m_pageClipboard;
    std::vector<std::unique_ptr<CTreeNode>> m_objectClipboard;
    bool m_modified = false;
    bool m_pageListChanged = false;
    int m_numMinPage = 0;
    int m_numMaxPage = 999;
    bool m_templateCopy = false;
    bool m_pageTemplate = false;
    int m_idCounter = 0;
    bool m_useLowRes = true;
    PageListChange m_change;
    int m_repairedNumbers = 0;
};

} // namespace treeNode
