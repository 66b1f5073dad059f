#pragma once
// Menu icons of one toolbar bitmap: every command has three images in a row,
// the icon, a darker shadow copy and a pale disabled copy. Lists are shared by
// all menus and counted by the item data that show them.
#include "framework/framework.h"

#include <vector>

class CSkinMenuIcons : public CObject {
  DECLARE_DYNAMIC(CSkinMenuIcons)
 public:
  CSkinMenuIcons();
  ~CSkinMenuIcons() override;
  CSkinMenuIcons(const CSkinMenuIcons&) = delete;
  CSkinMenuIcons& operator=(const CSkinMenuIcons&) = delete;

  // First image index of a command (3 × its position), or -1.
  virtual int FindIndex(UINT id) const;
  virtual void Reload();
  virtual BOOL LoadFromBitmap(HBITMAP hBitmap, int cx, int cy, const UINT* ids, COLORREF transparent);
  // {bitmap id, icon width, icon height, command ids..., 0}.
  virtual BOOL LoadToolBarTable(const WORD* table, COLORREF transparent);
  virtual BOOL LoadToolBar(LPCSTR name, HINSTANCE hInstance);
  virtual BOOL MatchIds(HBITMAP hBitmap, int cx, int cy, const UINT* ids) const;
  virtual BOOL MatchTable(const WORD* table, COLORREF transparent) const;
  virtual BOOL MatchResource(LPCSTR name, HINSTANCE hInstance) const;
  virtual BOOL LoadBitmap(int cx, int cy, LPCSTR name, HINSTANCE hInstance);
  virtual int AddShadowIcon(HICON hIcon, int index);
  virtual int AddDisabledIcon(HICON hIcon, int index);
  virtual void MakeImages();

  void AddRef() { ++m_nRefCount; }
  // Drops one reference; the last one takes the list out of the shared list
  // and deletes it.
  void Release();
  int RefCount() const { return m_nRefCount; }
  SIZE IconSize() const;
  int CommandCount() const { return static_cast<int>(m_ids.size()); }
  const std::vector<UINT>& Ids() const { return m_ids; }

  UINT_PTR m_resourceId = 0;     // numeric resource name, or 0
  CString m_resourceName;        // string resource name
  HINSTANCE m_hInstance = nullptr;
  int m_nColors = 0;
  COLORREF m_crTransparent = CLR_INVALID;
  CImageList m_IconsList;

 private:
  BOOL CreateList(int cx, int cy);
  int AddTransformedIcon(HICON hIcon, int index, bool disabled);
  std::vector<UINT> m_ids;
  int m_nRefCount = 0;
};

// Adds an icon (index -1) or replaces the image at the index, after alter has
// changed the icon's colour bitmap; the image index, or -1.
int AddAlteredIcon(HIMAGELIST hList, HICON hIcon, int index, void (*alter)(HBITMAP color, const void* context),
                   const void* context);
// Darkens every pixel by the library's shade amount (50 of 255): the shadow
// images of menus and the plain images of the toolbar.
void ShadeBitmap(HBITMAP hBitmap, const void* context = nullptr);

// The shared lists: found by table, appended, deleted at library shutdown.
void DeleteSharedIconLists();
