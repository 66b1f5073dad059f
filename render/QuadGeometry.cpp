#include "render/QuadGeometry.h"

#include <algorithm>

D3DXMATRIX BuildWorldMatrix(float scaleX, float scaleY, float rotation, float x, float y)
{
    D3DXMATRIX scaling;
    D3DXMATRIX rotationZ;
    D3DXMATRIX translation;
    D3DXMatrixScaling(&scaling, scaleX, scaleY, 1.0f);
    D3DXMatrixRotationZ(&rotationZ, rotation);
    D3DXMatrixTranslation(&translation, x, y, 0.0f);
    D3DXMATRIX world;
    D3DXMatrixMultiply(&world, &scaling, &rotationZ);
    D3DXMatrixMultiply(&world, &world, &translation);
    return world;
}

namespace {
D3DXMATRIX ToView(const QuadShape& quad)
{
    D3DXMATRIX m;
    D3DXMatrixMultiply(&m, &quad.world, &quad.view);
    return m;
}
}  // namespace

bool QuadContains(const QuadShape& quad, float hitScale, float x, float y)
{
    const D3DXMATRIX toView = ToView(quad);
    D3DXMATRIX toQuad;
    if (!D3DXMatrixInverse(&toQuad, nullptr, &toView))
        return false;
    const D3DXVECTOR3 point(x, y, 0.0f);
    D3DXVECTOR3 local;
    D3DXVec3TransformCoord(&local, &point, &toQuad);
    const float halfW = quad.width * hitScale * 0.5f;
    const float halfH = quad.height * hitScale * 0.5f;
    const bool insideX = -halfW < local.x && local.x < halfW;
    const bool insideY = quad.bottomInclusive ? (-halfH <= local.y && local.y < halfH)
                                              : (-halfH < local.y && local.y < halfH);
    return insideX && insideY;
}

void QuadCorners(const QuadShape& quad, D3DXVECTOR2 corners[4])
{
    const D3DXMATRIX toView = ToView(quad);
    const float w = quad.width * 0.5f;
    const float h = quad.height * 0.5f;
    const D3DXVECTOR2 local[4] = {{-w, h}, {w, h}, {w, -h}, {-w, -h}};
    for (int i = 0; i < 4; ++i)
        D3DXVec2TransformCoord(&corners[i], &local[i], &toView);
}

bool SegmentsIntersect(const D3DXVECTOR2& a1, const D3DXVECTOR2& a2, const D3DXVECTOR2& b1,
                       const D3DXVECTOR2& b2)
{
    const D3DXVECTOR2 r = a2 - a1;
    const D3DXVECTOR2 s = b2 - b1;
    const float denominator = r.x * s.y - r.y * s.x;
    if (denominator == 0.0f)
        return false;
    const D3DXVECTOR2 q = b1 - a1;
    const float t = (q.x * s.y - q.y * s.x) / denominator;
    const float u = (q.x * r.y - q.y * r.x) / denominator;
    return t >= 0.0f && t <= 1.0f && u >= 0.0f && u <= 1.0f;
}

bool QuadIntersectsRect(const QuadShape& quad, float hitScale, float x1, float y1, float x2,
                        float y2)
{
    const float left = std::min(x1, x2);
    const float right = std::max(x1, x2);
    const float bottom = std::min(y1, y2);
    const float top = std::max(y1, y2);
    const D3DXVECTOR2 rect[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    for (const D3DXVECTOR2& corner : rect) {
        if (QuadContains(quad, hitScale, corner.x, corner.y))
            return true;
    }
    D3DXVECTOR2 corners[4];
    QuadCorners(quad, corners);
    for (const D3DXVECTOR2& corner : corners) {
        if (corner.x >= left && corner.x <= right && corner.y >= bottom && corner.y <= top)
            return true;
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (SegmentsIntersect(corners[i], corners[(i + 1) % 4], rect[j], rect[(j + 1) % 4]))
                return true;
        }
    }
    return false;
}
