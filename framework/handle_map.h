#pragma once
// Maps from handles to the C++ objects that wrap them, one per thread. Permanent
// entries belong to objects the program created or attached; temporary ones are
// made on demand by FromHandle and freed at idle time.
#include <unordered_map>

#include "framework/thread_state.h"

template <class T, class H>
class CHandleMap : public CThreadData {
 public:
  typedef void (*SetHandleFn)(T* pObject, H handle);

  explicit CHandleMap(SetHandleFn pfnSetHandle) : m_pfnSetHandle(pfnSetHandle) {}
  ~CHandleMap() override { DeleteTemp(); }

  void FreeTemporaries() override { DeleteTemp(); }

  T* LookupPermanent(H h) const {
    auto it = m_permanent.find(h);
    return it == m_permanent.end() ? nullptr : it->second;
  }
  T* LookupTemporary(H h) const {
    auto it = m_temporary.find(h);
    return it == m_temporary.end() ? nullptr : it->second;
  }
  void SetPermanent(H h, T* pObject) { m_permanent[h] = pObject; }
  void RemoveHandle(H h) { m_permanent.erase(h); }

  // The object for the handle: permanent if there is one, else a temporary.
  template <class Temp = T>
  T* FromHandle(H h) {
    if (!h) return nullptr;
    if (T* p = LookupPermanent(h)) return p;
    if (T* p = LookupTemporary(h)) return p;
    T* p = new Temp;
    m_pfnSetHandle(p, h);
    m_temporary[h] = p;
    return p;
  }

  void DeleteTemp() {
    auto temporary = std::move(m_temporary);
    m_temporary.clear();
    for (auto& entry : temporary) {
      m_pfnSetHandle(entry.second, H());  // detach: the handle is not ours to free
      delete entry.second;
    }
  }

 private:
  SetHandleFn m_pfnSetHandle;
  std::unordered_map<H, T*> m_permanent;
  std::unordered_map<H, T*> m_temporary;
};

// The thread's map of one kind, or null while the thread's record is being
// freed (objects destroyed meanwhile free their handle without the map).
template <class T, class H>
CHandleMap<T, H>* AfxThreadHandleMap(typename CHandleMap<T, H>::SetHandleFn pfnSetHandle) {
  static const CPerThread<CHandleMap<T, H>> maps;
  return maps.Get(pfnSetHandle);
}

// Takes an object's own handle out of its thread's map when it lets the handle
// go. The map may be going with the thread's record: then there is nothing to
// take out.
template <class T, class H>
void AfxForgetPermanent(CHandleMap<T, H>* map, H h, const T* owner) {
  if (map && h && map->LookupPermanent(h) == owner) map->RemoveHandle(h);
}
