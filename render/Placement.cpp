#include "render/Placement.h"

#include "render/QuadGeometry.h"

Placement::Placement(float initialScale) : m_scaleX(initialScale), m_scaleY(initialScale)
{
    UpdateWorld();
}

void Placement::UpdateWorld()
{
    m_world = BuildWorldMatrix(m_scaleX, m_scaleY, m_rotation, m_posX, m_posY);
}

void Placement::ClearWorld()
{
    D3DXMatrixIdentity(&m_world);
}

void Placement::SetPosition(float x, float y)
{
    m_posX = x;
    m_posY = y;
    UpdateWorld();
}

void Placement::SetScale(float sx, float sy)
{
    m_scaleX = sx;
    m_scaleY = sy;
    UpdateWorld();
}

void Placement::SetRotation(float radians)
{
    m_rotation = radians;
    UpdateWorld();
}

void Placement::Move(float dx, float dy)
{
    SetPosition(m_posX + dx, m_posY + dy);
}

void Placement::ScaleBy(float fx, float fy)
{
    SetScale(m_scaleX * fx, m_scaleY * fy);
}

void Placement::RotateBy(float radians)
{
    SetRotation(m_rotation + radians);
}
