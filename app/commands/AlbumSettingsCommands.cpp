// The options and the wedding data.
#include "app/commands/AlbumCommandTarget.h"
#include "app/dialogs/OpzioniDlg.h"
#include "document/SposalboDoc.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/ExternalApp.h"

void CAlbumCommandTarget::OnOptions() {
  COpzioniDlg dialog(m_host.GetOwnerWindow());
  dialog.m_strCustomFolder = m_host.GetCustomFolder().c_str();
  dialog.m_strExtAppCmdLine = m_host.ReadSetting("ExtAppCmdLine").c_str();
  if (dialog.DoModal() != IDOK) return;
  // The dialog has made the folder's tree before closing.
  const std::string folder = dialog.m_strCustomFolder.str();
  m_host.SetCustomFolder(folder);
  m_host.WriteSetting("Pers Path", folder);
  m_host.WriteSetting("ExtAppCmdLine", dialog.m_strExtAppCmdLine.str());
  m_host.SetExtAppCmdLine(BuildExtAppCmdLine(dialog.m_strExtAppCmdLine).str());
}

void CAlbumCommandTarget::OnAlbumData() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  if (m_host.RunWeddingData() == IDOK) album->GetRoot()->SetModified(true);
}
