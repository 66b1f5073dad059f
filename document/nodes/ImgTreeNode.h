#pragma once
// Every picture-like object of a page: an album photo ("immagine") and,
// through subclasses, library pictures, frames and groups. Position, scale
// and rotation live in the node's picture quad; the node adds the picture's
// file, colour settings, crop placement and an optional effect child.
#include <memory>
#include <string>

#include "document/nodes/ImgColor.h"
#include "document/nodes/TreeNode.h"
#include "render/D3DImage.h"
#include "render/D3DSelection.h"

namespace treeNode {

class CEffectTreeNode;

// Resource kinds of picture nodes: which library folder holds the file.
enum ResourceKind { kKindPhoto = 0, kKindFrame = 1, kKindEffect = 2, kKindImage = 3, kKindGroup = 4 };

class CImgTreeNode : public CTreeNode {
public:
    CImgTreeNode(const std::string& name, CTreeNode* parent);
    // A name literal must not pick the element constructor.
    CImgTreeNode(const char* name, CTreeNode* parent) : CImgTreeNode(std::string(name), parent) {}
    CImgTreeNode(const TiXmlElement& element, CTreeNode* parent);
    CImgTreeNode(const CImgTreeNode& source, CTreeNode* parent);
    ~CImgTreeNode() override;

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
    CImgColor* GetColourSettings() override;
    void SetColourSettings(const CImgColor* colour, bool preview) override;
    void SetAlpha(float alpha, bool preview) override;
    void ReapplyColour() override;
    void OnDeviceLost() override;
    void OnDeviceReset() override;
    void ResetAspectRatio() override;
    void ReleaseResources() override;

    virtual void LoadResources();
    // Scales the picture to w x h; unless stretch, to the smaller fit on both axes.
    virtual void FitToSize(bool stretch, float w, float h);
    virtual void SetEffectRotation(int degrees);
    virtual int GetEffectRotation();
    virtual void SetEffectMirror(int mirror);
    virtual int GetEffectMirror();
    virtual CEffectTreeNode* GetEffect();
    // Replaces the effect (null removes it); an effect below a picture at the
    // nesting limit is not taken.
    virtual void SetEffect(std::unique_ptr<CEffectTreeNode> effect);
    virtual void ApplyEffect();
    // Places this picture, cut out of the photo, exactly over it.
    virtual void AlignCropTo(CImgTreeNode* photo);
    // Shows the colour own within the combined colour of what holds the
    // node; a container also shows what it holds within the two.
    virtual void ShowColour(const CImgColor& own, const CImgColor& holders);
    // The same for the transparency alone.
    virtual void ShowAlpha(float own, float holders);
    // The colour of the frames and groups holding this node, combined from
    // the innermost outwards: what the page shows the node's own colour
    // within, now and after a reload.
    CImgColor HoldersColour();

    // The picture's file in the folder of its kind; empty for a kind without
    // a folder (a group).
    std::string ResolvePath(bool lowRes) const;
    bool HasPictureFolder() const;

    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name);
    int GetKind() const { return m_kind; }
    int GetBookmark() const { return m_bookmark; }
    void SetBookmark(int bookmark) { m_bookmark = bookmark; }
    bool IsPersonal() const { return m_pers; }
    void SetPersonal(bool pers)
    {
        m_pers = pers;
        NoteChanged();
    }
    float GetCropX() const { return m_cropX; }
    float GetCropY() const { return m_cropY; }
    float GetRatioH() const { return m_ratioH; }
    void SetCrop(float cropX, float cropY, float ratioH);
    bool AreResourcesLoaded() const { return m_resourcesLoaded; }
    CD3DImage& Picture() { return *m_picture; }

protected:
    // For the subclasses: their own tag and resource kind.
    CImgTreeNode(const char* tag, int kind, const std::string& name, CTreeNode* parent);
    CImgTreeNode(const TiXmlElement& element, int kind, CTreeNode* parent);
    void SetResourcesLoaded(bool loaded) { m_resourcesLoaded = loaded; }
    // The node's own colour combined with that of the frames and groups
    // holding it: what its picture shows.
    CImgColor ShownColour() { return Within(m_colour, HoldersColour()); }
    static CImgColor Within(const CImgColor& own, const CImgColor& holders);
    static float AlphaWithin(float own, float holders);
    // The node's own quad alone, for containers that handle children apart.
    bool HitOwnQuadPoint(float x, float y);
    bool HitOwnQuadRect(float x1, float y1, float x2, float y2);

private:
    void ReadAttributes(const TiXmlElement& element);
    void CopyCropFromImageList();

    std::string m_name;
    std::unique_ptr<CD3DImage> m_picture;
    bool m_resourcesLoaded = false;
    CD3DSelection m_selection;
    int m_bookmark = -1;
    bool m_pers = false;
    float m_cropX = 0.0f;
    float m_cropY = 0.0f;
    float m_ratioH = 0.0f;
    CImgColor m_colour;
    int m_kind = kKindPhoto;
};

// Whether a picture name read from a file stays inside its folder: one
// non-empty path component, no parent step, no drive.
bool IsSafePictureName(const std::string& name);

} // namespace treeNode
