#pragma once
// Base of every object of an album: the album, its pages, backgrounds,
// pictures, frames, groups, effects, texts and the wedding data. A node owns
// its children (child order is drawing, hit-test and file order) and most
// operations are composite: they go to every child in order. Questions only
// the album can answer travel up the parent chain to the root.
#include <memory>
#include <string>
#include <vector>

class TiXmlElement;
class TiXmlNode;
class CD3DObj;
class TextRun;
class CImgColor;

namespace spab_imagelist {
class CMImg;
}

namespace treeNode {

class CTreeNode;
using NodeList = std::vector<CTreeNode*>;

// Resize handle numbers shared by every node and the selection frame.
enum Handle {
    kHandleNone = 0,
    kHandleRotate = 1,
    kHandleTopLeft = 2,
    kHandleTop = 3,
    kHandleTopRight = 4,
    kHandleRight = 5,
    kHandleBottomRight = 6,
    kHandleBottom = 7,
    kHandleBottomLeft = 8,
    kHandleLeft = 9,
};

// Bounds are {left, top, right, bottom} with top the larger y.
enum BoundIndex { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

class CTreeNode {
public:
    CTreeNode(const std::string& tag, CTreeNode* parent);
    // A tag literal must not pick the element constructor (an element
    // converts from a name).
    CTreeNode(const char* tag, CTreeNode* parent) : CTreeNode(std::string(tag), parent) {}
    CTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CTreeNode(const CTreeNode& source, CTreeNode* parent);
    virtual ~CTreeNode();
    CTreeNode(const CTreeNode&) = delete;
    CTreeNode& operator=(const CTreeNode&) = delete;

    virtual void SaveXml(TiXmlNode& xmlParent);
    virtual void WriteAttributes(TiXmlElement& element);
    // Missing or unreadable: 0.0 and true; finite: the value and true;
    // infinite or not-a-number: the value left alone and false.
    virtual bool ReadFloatAttribute(const TiXmlElement& element, const char* name, float& value);
    virtual bool HitTestRect(float x1, float y1, float x2, float y2, NodeList* hits,
                             bool includeLocked);
    virtual bool HitTestPoint(float x, float y, NodeList* hits, bool includeLocked);
    virtual void ShiftZOrder(bool forward);
    virtual void ScaleBy(float sx, float sy);
    virtual void SetScale(float sx, float sy);
    virtual void RotateBy(float angle);
    virtual void MoveBy(float dx, float dy);
    virtual void SetPosition(float x, float y);
    virtual void Render(int pass);
    // Draws the node as part of a run of texts; false (and nothing drawn)
    // for a node that is not a text.
    virtual bool DrawInTextRun(TextRun& texts);
    virtual void AddChild(std::unique_ptr<CTreeNode> node, bool append);
    virtual bool ToggleSelected();
    virtual void SelectChildren(bool select);
    virtual void SyncSelection();
    virtual int HitTestHandles(float x, float y);
    virtual float GetX();
    virtual float GetY();
    virtual float GetHeight();
    virtual float GetWidth();
    virtual float GetScaleX();
    virtual float GetScaleY();
    virtual float GetRotation();
    virtual void ResizeByHandle(int handle, float dx, float dy, bool keepAspect);
    virtual void ComputeScaleFromDrag(int handle, float x, float y, float px, float py,
                                      float& sx, float& sy);
    virtual float ComputeRotationFromDrag(float x1, float y1, float x2, float y2);
    virtual int MapHandleForFlip(int handle);
    virtual void GetBounds(float bounds[4], bool onlySelected);
    virtual std::unique_ptr<CTreeNode> Clone(CTreeNode* parent) const;
    virtual int CountSelectedChildren();
    virtual void SetRotation(float angle);
    virtual CImgColor* GetColourSettings();
    virtual void SetColourSettings(const CImgColor* colour, bool preview);
    virtual void SetAlpha(float alpha, bool preview);
    virtual void ReapplyColour();
    virtual CD3DObj* GetView();
    virtual void OnDeviceLost();
    virtual void OnDeviceReset();
    virtual bool UseLowResImages();
    virtual void SaveUndo();
    virtual void ResetAspectRatio();
    virtual bool IsSelected();
    virtual void SetSelected(bool select);
    virtual void OnChildSelectionChanged(CTreeNode* child);
    virtual bool IsTemplateCopy();
    virtual int NextId();

    // The coordinates of the position the file held no usable number for, as
    // the object was read. A frame or group holding the object puts it where
    // it is itself, and takes it back (ForgetLostPosition).
    struct LostPosition {
        bool x = false, y = false;
    };
    const LostPosition& GetLostPosition() const { return m_lostPosition; }
    void ForgetLostPosition() { m_lostPosition = LostPosition(); }
    virtual bool IsLocked();
    virtual void SetLocked(bool locked);
    virtual bool HoldsChildren();
    virtual void SetHoldsChildren(bool holds);
    virtual bool IsMovable();
    virtual void ReleaseResources();
    virtual spab_imagelist::CMImg* FindImage(const std::string& name);

    // The node factory: the node class named by the element, or null for an
    // element of any other name (it is skipped with everything below it).
    static std::unique_ptr<CTreeNode> CreateFromXml(const TiXmlElement& element,
                                                    CTreeNode* parent);
    // Writes this node as the root element of a new document. The file is
    // replaced only once the new one is complete; false when it could not be,
    // and, writing nothing, for a tree of more elements than a file may hold.
    bool SaveToFile(const std::string& path);
    // The elements SaveXml writes for this node and all below it, as the
    // reader counts them against kMaxXmlElements; a walk, no writing.
    virtual size_t CountFileElements() const;

    // Called on the whole written tree once its file is complete, so unsaved
    // marks survive a failed save.
    virtual void OnSavedToFile();

    void MarkModified();
    int IndexOfChild(const CTreeNode* node) const;

    // Nesting: the root is level 1; a node without children has height 1.
    // No tree nests deeper than kMaxNestingDepth (albumfile/NestingLimit.h):
    // deeper elements are not built, and the page's nesting edits (group,
    // move into, effect) that would nest deeper do nothing, so the files the
    // program writes can be read again.
    int GetLevel() const;
    int GetSubtreeHeight() const;
    // Whether nodes nesting height levels can go below this one.
    bool CanHoldNested(int height) const;

    const std::string& GetTag() const { return m_tag; }
    bool HasTag(const char* tag) const { return m_tag == tag; }
    CTreeNode* GetParent() const { return m_parent; }
    void SetParent(CTreeNode* parent) { m_parent = parent; }
    bool IsModifiedFlag() const { return m_modified; }
    // The flag alone, for nodes leaving a page whose selection already
    // forgot them.
    void SetSelectedFlagOnly(bool selected)
    {
        m_selected = selected;
        NoteChanged();
    }
    void ClearModifiedFlag() { m_modified = false; }

    size_t GetChildCount() const { return m_children.size(); }
    CTreeNode* GetChild(size_t index) const { return m_children[index].get(); }
    // Ownership moves in and out without the modified bookkeeping of
    // AddChild; for the page's and the root's own list handling.
    void InsertChildAt(size_t index, std::unique_ptr<CTreeNode> node);
    // Room for more children, so adding them cannot run out of memory.
    void ReserveChildren(size_t more) { m_children.reserve(m_children.size() + more); }
    std::unique_ptr<CTreeNode> DetachChild(size_t index);
    std::unique_ptr<CTreeNode> DetachChild(const CTreeNode* node);
    std::unique_ptr<CTreeNode> ReplaceChild(size_t index, std::unique_ptr<CTreeNode> node);
    void DeleteAllChildren();

protected:
    // Every setter of what a node shows calls it (see NodeChangeCount).
    static void NoteChanged();

    // Reads the tag and "locked" but leaves the children to
    // BuildChildrenFromXml, for a node that must be complete before its
    // children ask it anything (the album root and its view).
    struct DeferChildren {};
    CTreeNode(const TiXmlElement& element, CTreeNode* parent, DeferChildren);
    // The child elements a node of this kind (an element name) takes, in
    // document order; an element of another kind, or one past the nesting
    // limit, is skipped with everything below it.
    void BuildChildrenFromXml(const TiXmlElement& element, const std::string& kind);

    void SetTag(const std::string& tag) { m_tag = tag; }

    // A number of an object as the file holds it. Missing: 0.0, the file's
    // read default. A finite number: it. Anything else (no number, infinite,
    // not-a-number, beyond a float) would hide or break the object and be
    // written back changed: the repaired value is taken instead and the album
    // hears of it (NoteRepairedNumber); true then.
    bool ReadFloatOrRepair(const TiXmlElement& element, const char* name, float& value, float repaired);
    // A number read from the file was replaced; the album root counts them
    // so the user can be told once. Nodes pass it up to their parent.
    virtual void NoteRepairedNumber();

    // Position, scale and turn, as pictures and texts store them; a missing
    // value reads as 0. A value that cannot be used is repaired to keep the
    // object in place and visible: position 0, the page's centre (a holder
    // moves it to itself, GetLostPosition), turn 0, a scale the size of the
    // other one (or 1).
    struct StoredPlacement {
        float x = 0.0f, y = 0.0f, scaleX = 0.0f, scaleY = 0.0f, rotation = 0.0f;
    };
    StoredPlacement ReadPlacementAttributes(const TiXmlElement& element);
    // Writes what GetX, GetY, GetScaleX, GetScaleY and GetRotation say.
    void WritePlacementAttributes(TiXmlElement& element);

    // How an object without children of its own answers a hit test: a locked
    // one only when the caller asks for locked ones too; a hit joins hits.
    template <class OwnShapeHit>
    bool AnswerOwnHit(bool includeLocked, NodeList* hits, OwnShapeHit ownShapeHit)
    {
        if (IsLocked() && !includeLocked)
            return false;
        if (!ownShapeHit())
            return false;
        if (hits)
            hits->push_back(this);
        return true;
    }

private:
    CTreeNode* m_parent;
    std::vector<std::unique_ptr<CTreeNode>> m_children;
    std::string m_tag;
    bool m_modified = false;
    bool m_selected = false;
    bool m_locked = false;
    bool m_holdsChildren = false;
    LostPosition m_lostPosition;
};

bool IsNodeSelected(CTreeNode* node);
// Grows with every change made to any node (words, fonts, effects, masks,
// marks, selection, children), so whatever shows nodes can tell at a glance
// that something it drew may have changed. Nodes change on the UI thread only.
unsigned NodeChangeCount();
// out = in rotated by angle (radians); out may be in.
void RotateVector(float out[2], const float in[2], float angle);

} // namespace treeNode
