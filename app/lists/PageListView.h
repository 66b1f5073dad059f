#pragma once
// Lists of rendered pages: the page bar's list of the album's pages (numbered
// from 1) and the list of page templates. Items keep image indexes of their
// own, so inserting, removing and moving pages moves indexes, not pictures.
// Everything happens on the user-interface thread.
#include <map>
#include <vector>

#include "app/lists/ImgListView.h"

class CD3DObj;
namespace treeNode {
class CPaginaTreeNode;
class CSposalboTreeNode;
}  // namespace treeNode

class CPageListView : public CImgListView {
 public:
  void SetItemImage(int item, int image);
  virtual void Clear();
  // A new item i for the page; the items after it are renumbered.
  void InsertPage(int index, treeNode::CPaginaTreeNode& page);
  // The same with a blank picture; answers the item, -1 when none was made.
  int InsertBlankPage(int index);
  // Blank items at the end; answers their image indexes.
  std::vector<int> AddBlankPages(int count);
  // Item i goes with its picture; the items after it are renumbered.
  virtual void RemovePage(int index);
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
  // A new last image showing the blank cell; its index.
  int AddBlankImage(HBITMAP blank);

  CImageList m_pages;
};

class CPageImgListView : public CPageListView {
 public:
  // Every page of the album again. The items come at once with blank
  // pictures; the pages are drawn afterwards a few at a time on a timer, so
  // an opening album shows its first page before the page bar is complete.
  // Each page drawn releases its textures unless it is the current page.
  void Refresh(treeNode::CSposalboTreeNode& album);
  void InsertAlbumPage(treeNode::CSposalboTreeNode& album, int index);
  // The page's picture is drawn again with the pending ones (a picture on it
  // changed); it shows the old one meanwhile.
  void DrawAgainSoon(treeNode::CSposalboTreeNode& album, int index);
  // Draws pending pages for at most `budgetMs` milliseconds (negative: all).
  void DrawPendingPages(int budgetMs = -1);
  bool HasPendingPages() const { return !m_blankImages.empty(); }
  // The current page's item is selected and scrolled into view when the
  // current page changes; between changes the user's clicks and scrolling
  // stay as they are. -1: no current page.
  void FollowCurrentPage(int index);
  void RemovePage(int index) override;
  void Clear() override;
  // Draws the page's picture now; one whose texts were drawn as boxes, the
  // texts' memory full, is drawn again once other texts gave theirs back. A
  // page not on screen gives its resources back once drawn.
  void DrawPage(treeNode::CPaginaTreeNode& page, int item);

 protected:
  void OnDoubleClick() override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

 private:
  void ClearPending();
  bool IsOnScreen(const treeNode::CPaginaTreeNode& page) const;
  // Pages drawn with boxes for texts drawn again when the texts' memory held
  // less than it did then.
  void DrawShortPagesAgainIfRoom();

  // Pictures not drawn yet, or to be drawn again, by image index: moves of
  // pages move items between images, not images.
  std::vector<int> m_blankImages;
  treeNode::CSposalboTreeNode* m_album = nullptr;
  int m_followedPage = -1;
  // Image index of a page drawn with texts as boxes, and the texts' memory
  // held by others as it was drawn.
  std::map<int, size_t> m_shortImages;
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
