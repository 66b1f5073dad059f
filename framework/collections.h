#pragma once
// Arrays, lists and maps with the program's member names, over the standard
// containers. A POSITION is an opaque cursor; null means "no more elements".
#include <windows.h>

#include <cstddef>
#include <map>
#include <stdexcept>
#include <vector>

#include "framework/position.h"
#include "framework/runtime.h"
#include "framework/string_type.h"


// INT_PTR is the index type of every array.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_items.empty(); }
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    (void)nGrowBy;
    m_items.resize(nNewSize > 0 ? static_cast<size_t>(nNewSize) : 0);
  }
  void FreeExtra() { m_items.shrink_to_fit(); }
  void RemoveAll() { m_items.clear(); }

  const TYPE& GetAt(INT_PTR i) const { return m_items.at(checked(i)); }
  TYPE& GetAt(INT_PTR i) { return m_items.at(checked(i)); }
  void SetAt(INT_PTR i, ARG_TYPE value) { m_items.at(checked(i)) = value; }
  TYPE& ElementAt(INT_PTR i) { return m_items.at(checked(i)); }
  const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
  TYPE& operator[](INT_PTR i) { return ElementAt(i); }
  const TYPE* GetData() const { return m_items.data(); }
  TYPE* GetData() { return m_items.data(); }

  void SetAtGrow(INT_PTR i, ARG_TYPE value) {
    if (i < 0) throw std::out_of_range("CArray index");
    if (static_cast<size_t>(i) >= m_items.size()) m_items.resize(static_cast<size_t>(i) + 1);
    m_items[static_cast<size_t>(i)] = value;
  }
  INT_PTR Add(ARG_TYPE value) {
    m_items.push_back(value);
    return GetUpperBound();
  }
  INT_PTR Append(const CArray& src) {
    INT_PTR first = GetSize();
    m_items.insert(m_items.end(), src.m_items.begin(), src.m_items.end());
    return first;
  }
  void Copy(const CArray& src) { if (&src != this) m_items = src.m_items; }
  void InsertAt(INT_PTR i, ARG_TYPE value, INT_PTR nCount = 1) {
    if (i < 0 || nCount < 0) throw std::out_of_range("CArray index");
    if (static_cast<size_t>(i) > m_items.size()) m_items.resize(static_cast<size_t>(i));
    m_items.insert(m_items.begin() + i, static_cast<size_t>(nCount), value);
  }
  void RemoveAt(INT_PTR i, INT_PTR nCount = 1) {
    if (i < 0 || nCount < 0 || static_cast<size_t>(i + nCount) > m_items.size())
      throw std::out_of_range("CArray index");
    m_items.erase(m_items.begin() + i, m_items.begin() + i + nCount);
  }

 private:
  size_t checked(INT_PTR i) const {
    if (i < 0) throw std::out_of_range("CArray index");
    return static_cast<size_t>(i);
  }
  std::vector<TYPE> m_items;
};

class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CWordArray : public CArray<WORD, WORD> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CStringArray : public CArray<CString, const CString&> {};

// A doubly linked list; a POSITION is a node.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
  struct Node {
    Node* next;
    Node* prev;
    TYPE data;
  };

 public:
  CList() = default;
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_count; }
  INT_PTR GetSize() const { return m_count; }
  BOOL IsEmpty() const { return m_count == 0; }
  TYPE& GetHead() { return checked(m_head)->data; }
  const TYPE& GetHead() const { return checked(m_head)->data; }
  TYPE& GetTail() { return checked(m_tail)->data; }
  const TYPE& GetTail() const { return checked(m_tail)->data; }
  POSITION GetHeadPosition() const { return pos(m_head); }
  POSITION GetTailPosition() const { return pos(m_tail); }

  POSITION AddHead(ARG_TYPE value) { return InsertBefore(pos(m_head), value); }
  POSITION AddTail(ARG_TYPE value) { return InsertAfter(pos(m_tail), value); }
  void AddTail(CList* pOther) {
    for (POSITION p = pOther->GetHeadPosition(); p;) AddTail(pOther->GetNext(p));
  }
  TYPE RemoveHead() {
    TYPE v = GetHead();
    RemoveAt(pos(m_head));
    return v;
  }
  TYPE RemoveTail() {
    TYPE v = GetTail();
    RemoveAt(pos(m_tail));
    return v;
  }
  void RemoveAll() {
    while (m_head) {
      Node* n = m_head;
      m_head = n->next;
      delete n;
    }
    m_tail = nullptr;
    m_count = 0;
  }

  TYPE& GetNext(POSITION& rPosition) {
    Node* n = checked(node(rPosition));
    rPosition = pos(n->next);
    return n->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    Node* n = checked(node(rPosition));
    rPosition = pos(n->next);
    return n->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    Node* n = checked(node(rPosition));
    rPosition = pos(n->prev);
    return n->data;
  }
  TYPE& GetAt(POSITION p) { return checked(node(p))->data; }
  const TYPE& GetAt(POSITION p) const { return checked(node(p))->data; }
  void SetAt(POSITION p, ARG_TYPE value) { checked(node(p))->data = value; }

  POSITION InsertBefore(POSITION p, ARG_TYPE value) {
    Node* at = node(p);
    Node* n = new Node{at, at ? at->prev : m_tail, value};
    if (!at) n->prev = nullptr, n->next = m_head;
    link(n);
    return pos(n);
  }
  POSITION InsertAfter(POSITION p, ARG_TYPE value) {
    Node* at = node(p);
    Node* n = new Node{at ? at->next : nullptr, at, value};
    if (!at) n->next = nullptr, n->prev = m_tail;
    link(n);
    return pos(n);
  }
  void RemoveAt(POSITION p) {
    Node* n = checked(node(p));
    (n->prev ? n->prev->next : m_head) = n->next;
    (n->next ? n->next->prev : m_tail) = n->prev;
    delete n;
    --m_count;
  }

  POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
    for (Node* n = startAfter ? node(startAfter)->next : m_head; n; n = n->next)
      if (n->data == value) return pos(n);
    return nullptr;
  }
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0) return nullptr;
    Node* n = m_head;
    while (n && nIndex-- > 0) n = n->next;
    return pos(n);
  }

 private:
  static POSITION pos(Node* n) { return reinterpret_cast<POSITION>(n); }
  static Node* node(POSITION p) { return reinterpret_cast<Node*>(p); }
  static Node* checked(Node* n) {
    if (!n) throw std::out_of_range("CList position");
    return n;
  }
  void link(Node* n) {
    (n->prev ? n->prev->next : m_head) = n;
    (n->next ? n->next->prev : m_tail) = n;
    ++m_count;
  }

  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  INT_PTR m_count = 0;
};

class CPtrList : public CList<void*, void*> {};
class CObList : public CList<CObject*, CObject*> {};
class CStringList : public CList<CString, const char*> {};

// A map from keys to values; the iteration order is the key order.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
  using Storage = std::map<KEY, VALUE>;

 public:
  // The block size of the allocation is accepted for compatibility.
  explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
  INT_PTR GetCount() const { return static_cast<INT_PTR>(m_items.size()); }
  INT_PTR GetSize() const { return GetCount(); }
  BOOL IsEmpty() const { return m_items.empty(); }
  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    auto it = m_items.find(key);
    if (it == m_items.end()) return FALSE;
    rValue = it->second;
    return TRUE;
  }
  VALUE& operator[](ARG_KEY key) { return m_items[key]; }
  void SetAt(ARG_KEY key, ARG_VALUE value) { m_items[key] = value; }
  BOOL RemoveKey(ARG_KEY key) { return m_items.erase(key) > 0; }
  void RemoveAll() { m_items.clear(); }
  void InitHashTable(UINT, BOOL = TRUE) {}

  POSITION GetStartPosition() const { return toPos(m_items.begin()); }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    auto* entry = reinterpret_cast<const typename Storage::value_type*>(rNextPosition);
    if (!entry) throw std::out_of_range("CMap position");
    rKey = entry->first;
    rValue = entry->second;
    auto it = m_items.find(entry->first);
    rNextPosition = toPos(++it);
  }

 private:
  POSITION toPos(typename Storage::const_iterator it) const {
    if (it == m_items.end()) return nullptr;
    return reinterpret_cast<POSITION>(const_cast<typename Storage::value_type*>(&*it));
  }
  Storage m_items;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {};
class CMapStringToPtr : public CMap<CString, const char*, void*, void*> {};
class CMapStringToString : public CMap<CString, const char*, CString, const char*> {};
