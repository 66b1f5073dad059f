#pragma once
// The library lists of the tools bar: frames ("Cornici"), effects
// ("Effetti") and images ("Immagini"). Each drops and double-clicks its own
// kind of node.
#include "app/lists/ImgListView.h"

class CCorniciImgListView : public CImgListView {
 public:
  // A frame's mask companion ("rosa.msk.png") is not listed.
  bool AcceptFile(const CString& name) const override;
  void DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) override;

 protected:
  void OnDoubleClick() override;
};

class CEffettiImgListView : public CImgListView {
 public:
  void DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) override;

 protected:
  void OnDoubleClick() override;
};

class CImmaginiImgListView : public CImgListView {
 public:
  void DropOnPage(CSposalboPageStatic& surface, POINT screen, const CString& name) override;

 protected:
  void OnDoubleClick() override;
};

// Whether a file name without its extension ends in ".msk" (any case).
bool IsMaskCompanion(const CString& name);
