#pragma once
// The frame around a selected page object: a red outline of the object's
// quad, eight resize handles and a rotation handle above the top edge, and the
// answer to which handle lies under a point.
#include <d3dx9.h>

#include <memory>

#include "framework/com_ref.h"
#include "render/D3DImage.h"

class CD3DObj;

// Handle codes answered by HitTest, clockwise from the top-left corner.
enum SelectionHandle : int {
    kHandleNone = 0,
    kHandleRotate = 1,
    kHandleTopLeft = 2,
    kHandleTopMiddle = 3,
    kHandleTopRight = 4,
    kHandleMiddleRight = 5,
    kHandleBottomRight = 6,
    kHandleBottomMiddle = 7,
    kHandleBottomLeft = 8,
    kHandleMiddleLeft = 9,
};

class CD3DSelection {
public:
    explicit CD3DSelection(CD3DObj* owner);
    virtual void UpdateTransform();
    virtual ~CD3DSelection();
    virtual bool CreateResources();
    virtual void Render(bool inView);
    virtual void RenderHandle(CD3DImage* handle, const D3DXVECTOR3* point);
    virtual void RenderRotationHandle(CD3DImage* handle, const D3DXVECTOR3* point);
    virtual void SetPosition(float x, float y);
    virtual void SetRotation(float radians);
    virtual void SetScale(float sx, float sy);
    virtual void SetWidth(float width);
    virtual int HitTest(float x, float y);

    CD3DSelection(const CD3DSelection&) = delete;
    CD3DSelection& operator=(const CD3DSelection&) = delete;

    void ReleaseResources();
    void OnLostDevice();
    void OnResetDevice();

    float GetWidth() const { return m_width; }
    const D3DXMATRIX& GetWorldTransform() const { return m_world; }
    // The handles in construction order: top left, top middle, top right,
    // middle right, bottom left, bottom middle, bottom right, middle left,
    // rotation.
    CD3DImage& Handle(int index) { return *m_handles[index]; }

private:
    void DrawOutline(const D3DXVECTOR2* points, int count, const D3DXMATRIX& transform);

    float m_posX = 0.0f;
    float m_posY = 0.0f;
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    D3DXMATRIX m_world;
    float m_rotation = 0.0f;
    float m_width = 0.0f;
    ComRef<ID3DXLine> m_line;
    CD3DObj* m_owner;
    std::unique_ptr<CD3DImage> m_handles[9];
    bool m_created = false;
};
