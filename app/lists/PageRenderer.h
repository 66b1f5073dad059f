#pragma once
// A page drawn off screen on a view's Direct3D device into a 256 x 128
// picture, for the page and template lists: the page seen whole at zoom 0.9
// on a 2 : 1 target, whatever the view shows at the moment.
#include <cstdint>
#include <vector>

class CD3DObj;
namespace treeNode {
class CPaginaTreeNode;
}

constexpr int kPageThumbWidth = 256;
constexpr int kPageThumbHeight = 128;

// Rows top-down, 0x00RRGGBB; false (and nothing drawn) without a device or
// when the target cannot be made.
bool RenderPageOffscreen(CD3DObj& view, treeNode::CPaginaTreeNode& page, std::vector<uint32_t>& pixels);
