#pragma once
// One page of an album ("pagina"): its objects in drawing order, its
// background held apart, and the selection in the order objects were
// selected. The page carries out every command on the selection and draws
// itself: the page rectangle, the objects, the outline and the selection
// frames.
#include <d3d9.h>
#include <d3dx9.h>

#include "document/nodes/TreeNode.h"
#include "framework/com_ref.h"

namespace spab_imagelist {
class CMImageList;
}

namespace treeNode {

class CGruppoTreeNode;
class CImgTreeNode;
class CSfondoTreeNode;
class CSposalboTreeNode;

class CPaginaTreeNode : public CTreeNode {
public:
    explicit CPaginaTreeNode(CTreeNode* parent);
    CPaginaTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CPaginaTreeNode(const CPaginaTreeNode& source, CTreeNode* parent);
    ~CPaginaTreeNode() override;

    void WriteAttributes(TiXmlElement& element) override;
    void ShiftZOrder(bool forward) override;
    void ScaleBy(float sx, float sy) override;
    void RotateBy(float angle) override;
    void MoveBy(float dx, float dy) override;
    void Render(int pass) override;
    // The page as it will be printed: everything but the selection frames.
    void RenderAsPrinted(int pass);
    int HitTestHandles(float x, float y) override;
    float GetHeight() override;
    float GetWidth() override;
    void ResizeByHandle(int handle, float dx, float dy, bool keepAspect) override;
    std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const override;
    void SetRotation(float angle) override;
    CImgColor* GetColourSettings() override;
    void SetColourSettings(const CImgColor* colour, bool preview) override;
    void SetAlpha(float alpha, bool preview) override;
    void ReapplyColour() override;
    void OnDeviceLost() override;
    void OnDeviceReset() override;
    void ResetAspectRatio() override;
    void OnChildSelectionChanged(CTreeNode* child) override;
    void SetLocked(bool locked) override;
    void ReleaseResources() override;
    void OnSavedToFile() override;
    // The background, held apart, is written inside the page.
    size_t CountFileElements() const override;

    virtual void MoveSelection(float dx, float dy, bool saveUndo);
    virtual int GetSelectedCount(bool countChildren);
    virtual void RemoveBackground();
    virtual void ChooseBackgroundColour();
    virtual void RotateBackground(float angle);
    virtual void SetBackgroundImage(std::unique_ptr<CImgTreeNode> image);
    virtual void AlignLeft();
    virtual void AlignRight();
    virtual void AlignTop();
    virtual void AlignBottom();
    virtual void AlignVertically();
    virtual void AlignHorizontally();
    virtual void AlignCropToImage();
    virtual void CenterVertically();
    virtual void CenterHorizontally();
    virtual void PlaceLeftOfCenter();
    virtual void PlaceRightOfCenter();
    virtual void SameHeight(bool keepAspect);
    virtual void SameWidth(bool keepAspect);
    virtual void SameSize(bool keepAspect);
    virtual void SizeToPageFraction(bool half, bool keepAspect);
    virtual bool CreatePageQuad();
    virtual void RenderPageQuad();
    virtual void RenderPageOutline();
    virtual void ExtractBackground();

    void ApplyToSelection(float angle, bool saveUndo);
    CTreeNode* GetFirstSelected() const;
    CTreeNode* GetLastSelected() const;
    const NodeList& GetSelection() const { return m_selection; }
    // Room for more children and selected objects, so adding them cannot run
    // out of memory halfway.
    void ReserveObjects(size_t more)
    {
        ReserveChildren(more);
        m_selection.reserve(m_selection.size() + more);
    }
    void SelectAll(bool select);
    bool IsGroupOrFrameSelected();
    bool IsTextSelected();
    void BringSelectionToFront();
    void SendSelectionToBack();
    void DeleteSelection();
    // "Unisci": the selected objects become one group where the topmost of
    // them lay; the group is selected. Null, with nothing changed, when the
    // group would nest deeper than an album may.
    CGruppoTreeNode* GroupSelection();
    // The same group left out of the page, for a caller that places it itself
    // (into a frame); topmostPlace receives where GroupSelection would put it.
    // Always a group: the caller asks CanNestSelection first.
    std::unique_ptr<CGruppoTreeNode> TakeSelectionAsGroup(size_t* topmostPlace = nullptr);
    // Whether the selected objects may go levelsDeeper levels deeper than
    // they are (1 into a new group, 2 into a group in a new frame) within the
    // nesting limit.
    bool CanNestSelection(int levelsDeeper) const;
    void UngroupSelection();
    // Does nothing when an object would nest deeper than an album may.
    void MoveSelectionInto(CTreeNode* target);
    // Takes the selected children out of the page, in child order, with every
    // reference the selection held into them.
    std::vector<std::unique_ptr<CTreeNode>> TakeSelectedChildren();

    // One reference in the album image list for each album photo below node.
    void AddImageRefs(CTreeNode* node);
    void ReleaseImageRefs(CTreeNode* node);
    // Whether an album photo of that name is node or lies below it.
    static bool NamesPhoto(const CTreeNode* node, const std::string& name);
    // Whether the page shows that album photo, among its objects or as its
    // background.
    bool UsesPhoto(const std::string& name) const;
    // The album photos the page shows (objects and background) that the
    // album image list does not have, each once in names.
    void CollectUnlistedPhotos(std::vector<std::string>& names);

    CSfondoTreeNode* GetBackground() const { return m_background.get(); }
    CTreeNode* GetHandleObject() const { return m_handleObject; }
    bool IsPageModified() const { return m_modified; }
    void SetPageModified(bool modified) { m_modified = modified; }
    bool NeedsRefresh() const { return m_needsRefresh; }
    void SetNeedsRefresh(bool refresh) { m_needsRefresh = refresh; }
    bool IsCover() const { return m_cover; }
    void SetCover(bool cover) { m_cover = cover; }
    bool IsBackgroundEditMode() const { return m_backgroundEditMode; }
    void SetBackgroundEditMode(bool on) { m_backgroundEditMode = on; }

private:
    CSposalboTreeNode* Album() const;
    spab_imagelist::CMImageList* ImageList() const;
    NodeList MovableSelection() const;
    // The selected objects out of the page, in drawing order, still known to
    // the selection.
    std::vector<std::unique_ptr<CTreeNode>> DetachSelectedChildren();
    // The selection without its last (the reference), from the second-to-last
    // back to the first, movable ones only.
    NodeList OthersNewestFirst() const;
    void ForgetSubtree(const CTreeNode* root);

    std::unique_ptr<CSfondoTreeNode> m_background;
    CTreeNode* m_handleObject = nullptr;
    bool m_modified = false;
    bool m_needsRefresh = false;
    bool m_cover = false;
    NodeList m_selection;
    bool m_backgroundEditMode = false;
    ComRef<ID3DXLine> m_line;
    ComRef<IDirect3DVertexBuffer9> m_quad;
    D3DXVECTOR3 m_outline[7];
};

} // namespace treeNode
