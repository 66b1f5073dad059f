#pragma once
// The main frame's thumbnail lists: the tools bar's frames, effects, images
// and page templates, the photo bar's album photos and the page bar's pages.
// The frame owns them; the docking bars make their windows.
#include "app/lists/FotoImgListView.h"
#include "app/lists/LibraryListViews.h"
#include "app/lists/PageListView.h"

struct CEditorLists {
  CCorniciImgListView frames;
  CEffettiImgListView effects;
  CImmaginiImgListView images;
  CTemplateListView templates;
  CFotoImgListView photos;
  CPageImgListView pages;

  // Every loader stops and is joined.
  void StopLoading() {
    for (CImgListView* list : {static_cast<CImgListView*>(&frames), static_cast<CImgListView*>(&effects),
                               static_cast<CImgListView*>(&images), static_cast<CImgListView*>(&photos)})
      list->StopLoading();
  }
};
