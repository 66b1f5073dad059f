#pragma once
// A stand-in for the main frame's side of the album commands: it holds the
// album and records what the commands asked of the bars, lists and settings.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/commands/AlbumCommandHost.h"
#include "app/commands/AlbumCommandTarget.h"
#include "document/SposalboDoc.h"
#include "document/services/CryptoEngine.h"
#include "render/D3DObj.h"

class FakeAlbumFrame : public IAlbumCommandHost {
 public:
  CWnd* GetOwnerWindow() override { return nullptr; }
  CSposalboDoc* GetAlbum() override { return album.get(); }
  void SetAlbum(std::unique_ptr<CSposalboDoc> newAlbum) override { album = std::move(newAlbum); }
  CD3DObj* GetPageView() override { return &view; }
  void SetRenderPaused(bool paused) override { renderPaused = paused; }
  void ClearPageSurface() override { ++surfaceClears; }
  void ShowCurrentPage() override { pageShownBeforeLists = pageListRebuilds == 0 && photoFolder.empty(); }
  void RebuildPageList() override { ++pageListRebuilds; }
  void ClearPageList() override { ++pageListClears; }
  void ClearPhotoList() override {
    photoFolder.clear();
    photoNames.clear();
  }
  void LoadPhotoList(const std::string& folder, const std::vector<CString>& names) override {
    photoFolder = folder;
    photoNames = names;
  }
  void AddPageTemplate(const std::string& path) override { pageTemplates.push_back(path); }
  void SetDocumentTitle(const std::string& newTitle) override { title = newTitle; }
  void UpdateBarsNow() override {}
  std::string GetCustomFolder() override { return customFolder; }
  void SetCustomFolder(const std::string& folder) override { customFolder = folder; }
  std::string GetTemplateFolder() override { return templateFolder; }
  std::string GetExtAppCmdLine() override { return extAppCmdLine; }
  void SetExtAppCmdLine(const std::string& line) override { extAppCmdLine = line; }
  std::string ReadSetting(const char* name) override { return settings[name]; }
  void WriteSetting(const char* name, const std::string& value) override { settings[name] = value; }
  INT_PTR RunWeddingData() override { return weddingAnswer; }
  CCryptoEngine& GetSeal() override { return seal; }
  void ShowRemadePhotos(const std::vector<std::string>& names) override {
    remadeShown.insert(remadeShown.end(), names.begin(), names.end());
  }
  void HoldClose(bool hold) override { closeHolds += hold ? 1 : -1; }

  // Sends a command through the target's message map.
  void Command(UINT id) { commands.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
  // Whether the target's update handler enables the item.
  bool Enabled(UINT id) {
    struct Probe : CCmdUI {
      bool enabled = true;
      void Enable(BOOL on) override { enabled = on != FALSE; }
    } probe;
    probe.m_nID = id;
    commands.OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, nullptr);
    return probe.enabled;
  }

  std::unique_ptr<CSposalboDoc> album;
  CD3DObj view;
  bool renderPaused = true;
  int surfaceClears = 0, pageListRebuilds = 0, pageListClears = 0;
  bool pageShownBeforeLists = false;
  std::string photoFolder;
  std::vector<CString> photoNames;
  std::vector<std::string> pageTemplates;
  std::string title = "?";
  std::string customFolder, templateFolder, extAppCmdLine;
  std::map<std::string, std::string> settings;
  INT_PTR weddingAnswer = IDCANCEL;
  std::vector<std::string> remadeShown;
  int closeHolds = 0;
  CCryptoEngine seal;
  CAlbumCommandTarget commands{*this};
};
