#pragma once
// Run-time class information: lets the document template and the frames create
// objects from a class descriptor and lets code ask an object for its class.
#include <windows.h>

class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* (*m_pfnGetBaseClass)();

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  static CRuntimeClass* FromName(const char* lpszClassName);
};

// Registers a class descriptor so FromName can find it.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
 public:
  virtual ~CObject() = default;
  virtual CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  static CRuntimeClass classCObject;
  static CRuntimeClass* _GetBaseClass() { return nullptr; }
  static CRuntimeClass* GetThisClass() { return &classCObject; }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                 \
 public:                                            \
  static CRuntimeClass class##class_name;           \
  static CRuntimeClass* _GetBaseClass();            \
  static CRuntimeClass* GetThisClass() { return &class##class_name; } \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIME(class_name, base_class_name, pfnNew)                      \
  CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name),       \
                                                 pfnNew, &class_name::_GetBaseClass};   \
  CRuntimeClass* class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); } \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
  static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  AFX_IMPLEMENT_RUNTIME(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)               \
  CObject* class_name::CreateObject() { return new class_name; }       \
  AFX_IMPLEMENT_RUNTIME(class_name, base_class_name, &class_name::CreateObject)

// A checked downcast: null when the object is not of the class.
template <class T>
T* AfxDynamicDownCast(CObject* pObject) {
  return pObject && pObject->IsKindOf(T::GetThisClass()) ? static_cast<T*>(pObject) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) (AfxDynamicDownCast<class_name>(object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
