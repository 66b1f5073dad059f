#pragma once
// Where a flat page object stands (a picture quad or a text): position,
// scale and rotation about its centre, and the world transform made of them.
// The transform is rebuilt at every change, so drawing and hit tests read it
// as it is.
#include <d3dx9math.h>

class Placement {
public:
    void SetPosition(float x, float y);
    void SetScale(float sx, float sy);
    void SetRotation(float radians);
    void Move(float dx, float dy);
    void ScaleBy(float fx, float fy);
    void RotateBy(float radians);

    float GetPositionX() const { return m_posX; }
    float GetPositionY() const { return m_posY; }
    float GetScaleX() const { return m_scaleX; }
    float GetScaleY() const { return m_scaleY; }
    float GetRotation() const { return m_rotation; }
    const D3DXMATRIX& GetWorldTransform() const { return m_world; }

protected:
    explicit Placement(float initialScale);
    ~Placement() = default;
    Placement(const Placement&) = delete;
    Placement& operator=(const Placement&) = delete;

    void UpdateWorld();
    // An emptied text stands nowhere until it is built again.
    void ClearWorld();

private:
    float m_posX = 0.0f;
    float m_posY = 0.0f;
    float m_scaleX;
    float m_scaleY;
    float m_rotation = 0.0f;
    D3DXMATRIX m_world;
};
