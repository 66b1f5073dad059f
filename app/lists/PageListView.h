#pragma once
// Lists of rendered pages: the page bar's list of the album's pages (numbered
// from 1) and the list of page templates. Items keep image indexes of their
// own, so inserting, removing and moving pages moves indexes, not pictures.
// Everything happens on the user-interface thread.
#include "app/lists/ImgListView.h"

class CD3DObj;
namespace treeNode {
class CPaginaTreeNode;
class CSposalboTreeNode;
}  // namespace treeNode

class CPageListView : public CImgListView {
 public:
  int GetItemImage(int item) const;
  void SetItemImage(int item, int image);
  void Clear();
  // A new item i for the page; the items after it are renumbered.
  void InsertPage(int index, treeNode::CPaginaTreeNode& page);
  // Item i goes with its picture; the items after it are renumbered.
  void RemovePage(int index);
  // The pictures follow a page moved from one place to another; labels stay.
  void MovePageImage(int from, int to);
  // Draws the page into the item's picture.
  void DrawPage(treeNode::CPaginaTreeNode& page, int item);
  void DropOnPage(CSposalboPageStatic&, POINT, const CString&) override {}

 protected:
  bool EnsurePageImages();
  // The view whose device draws the pages.
  virtual CD3DObj* RenderView() const;
  void Relabel(int from);

 private:
  CImageList m_pages;
};

class CPageImgListView : public CPageListView {
 public:
  // Every page of the album again, each releasing its textures once drawn.
  void Refresh(treeNode::CSposalboTreeNode& album);
  void InsertAlbumPage(treeNode::CSposalboTreeNode& album, int index);

 protected:
  void OnDoubleClick() override;
};

class CTemplateListView : public CPageListView {
 public:
  // The current page of every "*.sbt" template of the folder that loads.
  void Fill(const CString& folder);
  // Adds one template: a file name of the folder, or the full path of a
  // template kept elsewhere; false when it does not load or has no page. A
  // template already listed is drawn again instead.
  bool AddTemplate(const CString& name);
  void DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) override;

 protected:
  void OnDoubleClick() override;

 private:
  // Where a listed template lies.
  CString TemplatePath(const CString& name) const;
  CString m_templateFolder;
};
