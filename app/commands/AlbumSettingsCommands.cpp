// The options and the wedding data.
#include "app/commands/AlbumCommandTarget.h"
#include "app/dialogs/OpzioniDlg.h"
#include "document/SposalboDoc.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/ExternalApp.h"
#include "document/services/SystemMessage.h"

namespace {
// A folder made when missing; false, with the system's error left, when it
// is still no folder.
bool EnsureFolder(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD error = ::GetLastError();
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  ::SetLastError(error == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : error);
  return false;
}

// The custom graphics folder's tree, each folder made when missing. A typed
// folder that does not exist yet is made too, with every missing folder above
// it, so that a new path such as D:\Grafiche\Mie gets its tree. False, with
// the system's error left, when any folder of the tree is missing afterwards.
bool MakeCustomFolders(const std::string& folder) {
  // A drive or a share named on the way simply refuses to be made.
  for (size_t at = folder.find_first_of("\\/", 1); at != std::string::npos;
       at = folder.find_first_of("\\/", at + 1))
    ::CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
  if (!EnsureFolder(folder)) return false;
  for (const char* kind : {"image", "frame", "effect"}) {
    const std::string base = folder + "\\" + kind;
    if (!EnsureFolder(base) || !EnsureFolder(base + "\\highres") || !EnsureFolder(base + "\\lowres")) return false;
  }
  return EnsureFolder(folder + "\\template");
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
  if (!folder.IsEmpty() && !MakeCustomFolders(folder.str())) {
    // The libraries would look in a folder that is not there: the one set
    // before stays.
    const CString reason = SystemMessage(::GetLastError());
    CString message;
    message.Format("Impossibile creare la directory delle grafiche personalizzate %s:\n%s\n"
                   "La directory impostata prima resta in uso.",
                   folder.GetString(), reason.GetString());
    Ask(message, "Opzioni", MB_OK | MB_ICONERROR);
  } else {
    m_host.SetCustomFolder(folder.str());
    m_host.WriteSetting("Pers Path", folder.str());
  }
  m_host.WriteSetting("ExtAppCmdLine", dialog.m_strExtAppCmdLine.str());
  m_host.SetExtAppCmdLine(BuildExtAppCmdLine(dialog.m_strExtAppCmdLine).str());
}

void CAlbumCommandTarget::OnAlbumData() {
  CSposalboDoc* album = m_host.GetAlbum();
  if (!album) return;
  if (m_host.RunWeddingData() == IDOK) album->GetRoot()->SetModified(true);
}
