#pragma once
// What a frame of the page surface shows, reduced to one number. The surface
// draws on a tick only when the number differs from that of its last frame:
// whatever changed the page, its selection, its colours or the view, and
// whoever changed it, the next tick shows it, and a page at rest costs no
// drawing at all.
#include <cstddef>
#include <cstdint>
#include <string>

namespace treeNode {
class CPaginaTreeNode;
class CTreeNode;
}  // namespace treeNode

class FrameSignature {
 public:
  void Add(const void* data, size_t size);
  template <class T>
  void Add(const T& value) {
    Add(&value, sizeof value);
  }
  void Add(const std::string& text);
  // Every object of the page as it is drawn: place, size, turn, selection,
  // lock, the colours its picture shows now (a preview included) and what of
  // its picture is loaded; the background and the page's own marks.
  void AddPage(treeNode::CPaginaTreeNode& page);

  uint64_t Value() const { return m_value; }

 private:
  void AddNode(treeNode::CTreeNode& node);

  // 64-bit FNV-1a.
  uint64_t m_value = 14695981039346656037ull;
};
