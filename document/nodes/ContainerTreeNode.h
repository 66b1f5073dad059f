#pragma once
// What frames and groups share: an image node whose children move, turn,
// scale and recolour with it about its centre. A subclass decides when it
// acts on itself alone (Alt on a masked frame) and how mirrored children
// keep their sign.
#include "document/nodes/ImgTreeNode.h"

namespace treeNode {

class CContainerTreeNode : public CImgTreeNode {
public:
    ~CContainerTreeNode() override;

    bool HitTestRect(float x1, float y1, float x2, float y2, NodeList* hits,
                     bool includeLocked) override;
    bool HitTestPoint(float x, float y, NodeList* hits, bool includeLocked) override;
    void MoveBy(float dx, float dy) override;
    void SetPosition(float x, float y) override;
    void ScaleBy(float sx, float sy) override;
    void SetScale(float sx, float sy) override;
    void RotateBy(float angle) override;
    void SetRotation(float angle) override;
    void ShowColour(const CImgColor& own, const CImgColor& holders) override;
    void ShowAlpha(float own, float holders) override;

    // Box around all children; the container's picture is fitted to it.
    virtual void FitToChildren();

protected:
    CContainerTreeNode(const char* tag, int kind, const std::string& name, CTreeNode* parent);
    CContainerTreeNode(const TiXmlElement& element, int kind, CTreeNode* parent);
    CContainerTreeNode(const CContainerTreeNode& source, CTreeNode* parent);

    // True while the container acts on its own picture only.
    virtual bool ActsAlone() = 0;
    // Whether a mirrored child keeps its negative scale under container scaling.
    virtual bool KeepsMirroredChildren() = 0;
    // Children hits into the list (all of them with Alt, else only the
    // selected ones); true when any was taken.
    bool HitChildren(bool point, float x1, float y1, float x2, float y2, NodeList* hits,
                     bool includeLocked);
    // The common rule: a locked container is not hit; children first, then
    // the container itself on top.
    bool HitContainer(bool point, float x1, float y1, float x2, float y2, NodeList* hits,
                      bool includeLocked);

private:
    // After reading: what holds a position the file lost goes to the
    // container's, and a container whose own was lost takes its contents
    // along (one axis, y or x).
    void KeepRepairedPositionsTogether(bool y);
};

} // namespace treeNode
