// The options and the wedding data.
#include "app/commands/AlbumCommandTarget.h"
#include "app/dialogs/OpzioniDlg.h"
#include "document/SposalboDoc.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/ExternalApp.h"

namespace {
// The custom graphics folder's tree, each folder made when missing. A typed
// folder that does not exist yet is made too, with every missing folder above
// it, so that a new path such as D:\Grafiche\Mie gets its tree.
void MakeCustomFolders(const std::string& folder) {
  // A drive or a share named on the way simply refuses to be made.
  for (size_t at = folder.find_first_of("\\/", 1); at != std::string::npos;
       at = folder.find_first_of("\\/", at + 1))
    ::CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* kind : {"image", "frame", "effect"}) {
    const std::string base = folder + "\\" + kind;
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::CreateDirectoryA((base + "\\highres").c_str(), nullptr);
    ::CreateDirectoryA((base + "\\lowres").c_str(), nullptr);
  }
  ::CreateDirectoryA((folder + "\\template").c_str(), nullptr);
}
}  // namespace

void CAlbumCommandTarget::OnOptions() {
  COpzioniDlg dialog(m_host.GetOwnerWindow());
  dialog.m_strCustomFolder = m_host.GetCustomFolder().c_str();
  dialog.m_strExtAppCmdLine = m_host.ReadSetting("ExtAppCmdLine").c_str();
  if (dialog.DoModal() != IDOK) return;
  CString folder = dialog.m_strCustomFolder;
  folder.Trim();
  // An empty text means no custom folder: nothing is made at the root of a drive.
  if (!folder.IsEmpty()) MakeCustomFolders(folder.str());
  m_host.SetCustomFolder(folder.str());
  m_host.WriteSetting("Pers Path", folder.str());
  m_host.WriteSetting("ExtAppCmdLine", dialog.m_strExtAppCmdLine.str());
  m_host.SetExtAppCmdLine(BuildExtAppCmdLine(dialog.m_strExtAppCmdLine).str());
}

void CAlbumCommandTarget::OnAlbumData() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  if (m_host.RunWeddingData() == IDOK) album->GetRoot()->SetModified(true);
}
