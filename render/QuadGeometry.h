#pragma once
// Placement and hit testing of the flat objects of a page (picture quads,
// texts, selection frames): a w x h rectangle centred on its own origin, placed
// by a world transform and seen through the view transform.
#include <d3dx9math.h>

// Scaling, then rotation about z, then translation (row-vector convention).
D3DXMATRIX BuildWorldMatrix(float scaleX, float scaleY, float rotation, float x, float y);

struct QuadShape {
    D3DXMATRIX world;
    D3DXMATRIX view;
    float width;
    float height;
    // Texts count a point on their bottom edge as inside; pictures do not.
    bool bottomInclusive = false;
};

// Whether the view-space point lies inside the quad scaled by hitScale about
// its centre. A quad squashed to nothing (no inverse) is never hit.
bool QuadContains(const QuadShape& quad, float hitScale, float x, float y);

// The quad's four corners in view space: top left, top right, bottom right,
// bottom left (a closed outline in this order).
void QuadCorners(const QuadShape& quad, D3DXVECTOR2 corners[4]);

// Whether segments a1-a2 and b1-b2 cross or touch. Parallel segments never do.
bool SegmentsIntersect(const D3DXVECTOR2& a1, const D3DXVECTOR2& a2, const D3DXVECTOR2& b1,
                       const D3DXVECTOR2& b2);

// A corner of the rectangle inside the quad (as QuadContains with hitScale), a
// corner of the quad inside the rectangle, or crossing edges. The rectangle's
// corners may come in any order.
bool QuadIntersectsRect(const QuadShape& quad, float hitScale, float x1, float y1, float x2,
                        float y2);
