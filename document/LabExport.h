#pragma once
// "Invia al laboratorio": the export folder a laboratory prints an album from.
// Beside the album's folder name + "_xlab" it holds a copy of the project file
// and its seal, the photos the album uses (img, rif and their image list), the
// user's own graphics the album uses and the fonts the laboratory lacks.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "document/imagelist/LikenessReader.h"
#include "document/services/FileDigest.h"

class CCryptoEngine;

namespace treeNode {
class CSposalboTreeNode;
class CTestoTreeNode;
class CTreeNode;
}  // namespace treeNode

namespace spab_imagelist {
class CMImageList;
class CMImg;
}

class CLabExport {
 public:
  enum Result { kWritten, kDeclined, kFailed };

  CLabExport(treeNode::CSposalboTreeNode& album, const std::string& albumFolder,
             CCryptoEngine& seal);

  // Tidies what an interrupted export left beside the export folder, telling
  // the user, then asks before replacing an earlier export of this album. A
  // failure leaves an earlier export as it was, nothing of the new one, and
  // its reason in GetError.
  Result Run(const std::string& destination);

  const std::string& GetError() const { return m_error; }
  // Working copies made again just before this export (their reference copy
  // had changed): told with those the export itself makes again.
  void NoteRemade(const std::vector<std::string>& names) { m_remade = names; }
  // The names of the photos whose working copy was made again, so the pages
  // and the photo bar can show them as the laboratory gets them; also after
  // a failure.
  const std::vector<std::string>& GetRemade() const { return m_remade; }
  // A pair read whole and found alike, or whose working copy was made again:
  // both copies as the laboratory gets them.
  struct ComparedPair {
    std::string name;  // the photo's working copy, its key in the list
    CFileContent reference, working;
  };
  const std::vector<ComparedPair>& GetCompared() const { return m_compared; }
  const std::string& GetExportFolder() const { return m_exportFolder; }

  // destination\<album folder name>_xlab
  static std::string ExportFolderFor(const std::string& destination,
                                     const std::string& albumFolder);

 private:
  // A new empty folder beside the export's place; empty when none can be made.
  std::string MakeBuildFolder() const;
  // The whole new export takes the place of the earlier one, if any; an
  // earlier one that cannot be removed afterwards is told, by its folder.
  void PutInPlace(bool earlier);
  // Writes everything into the build folder.
  void WriteExport();
  void CopyNodeResources(treeNode::CTreeNode& node);
  void ExportFont(treeNode::CTestoTreeNode& text);
  void CopyPersonalResource(int kind, const char* kindFolder, const std::string& name);
  void CopyPhotos(const spab_imagelist::CMImageList& albumList);
  // A photo the laboratory could not print in full size stops the export.
  void RefuseLostPhotos(const std::vector<const spab_imagelist::CMImg*>& sent) const;
  // A working copy and its reference copy in the export, by the reader's indexes.
  struct SentPair {
    const spab_imagelist::CMImg* image;
    size_t working, reference;
  };
  // Each pair shows one picture, the reference copy read whole; a working copy
  // that differs is made again from the reference copy.
  void CheckPairs(const std::vector<SentPair>& pairs, const std::vector<spab_imagelist::CLikenessReader::Result>& read);
  // Copies folder\name of the photo again once its source stopped changing and
  // reads the copy.
  spab_imagelist::CLikenessReader::Result ReadAgainSettled(const char* folder, const std::string& name,
                                                           const spab_imagelist::CMImg& image);
  void RemakeSentWorkingCopy(const spab_imagelist::CMImg& image);
  void TellRemade() const;
  // True once the file's stamp stays the same over a short wait, within a bound.
  bool WaitUntilSettled(const std::string& path) const;
  std::string AlbumPath(const char* folder, const std::string& name) const;
  std::string ExportPath(const char* folder, const std::string& name) const;
  // folder\name of the photo into the same place of the export, once.
  CFileContent CopyPhotoFile(const char* folder, const std::string& name, const spab_imagelist::CMImg& image);
  // What was copied: its stamp before, the digest of the bytes copied. A
  // file another program is still writing is waited for within a bound; the
  // failure names the photo, when given.
  CFileContent CopyOneFile(const std::string& source, const std::string& target, const std::string& photo = "");
  // The picture and, when one lies beside it, its mask.
  CFileContent CopyPictureWithMask(const std::string& source, const std::string& target,
                                   const std::string& photo = "");
  void MakeFolder(const std::string& folder);

  treeNode::CSposalboTreeNode& m_album;
  std::string m_albumFolder;
  CCryptoEngine& m_seal;
  std::string m_exportFolder;
  std::string m_buildFolder;
  std::string m_error;
  std::set<std::string> m_written;  // files already in the export (shared resources)
  std::map<std::string, CFileContent> m_copied;  // photo files in the export, by their path there
  std::vector<std::string> m_remade;
  std::vector<ComparedPair> m_compared;
};
