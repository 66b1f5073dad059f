#include "document/imagelist/MImageList.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "document/albumfile/AlbumXml.h"
#include "document/albumfile/XmlFile.h"
#include "document/DocumentHost.h"
#include "document/services/DocumentMessageBox.h"
#include "document/services/FileOperation.h"
#include "imagelib/FileReplace.h"
#include "document/services/PathNames.h"
#include "document/imagelist/ImportMessages.h"
#include "document/imagelist/WorkingCopy.h"
#include "document/imagelist/WorkingCopyOrigin.h"
#include "render/MaskPath.h"

namespace spab_imagelist {

namespace {
const char kListFileName[] = "immagini.xml";
const char kNoNumberLeft[] = "lo sposalbo non ha pi\xF9 numeri liberi per le sue foto";

std::string ListPath(const char* path, bool isFullPath) {
  std::string p = path ? path : "";
  return isFullPath ? p : JoinPath(p, kListFileName);
}

std::string ImgPath(const char* albumFolder, const std::string& name) {
  return JoinPath(JoinPath(albumFolder ? albumFolder : "", "img"), name);
}

std::string RifPath(const char* albumFolder, const std::string& name) {
  return JoinPath(JoinPath(albumFolder ? albumFolder : "", "rif"), name);
}

bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A copy that failed half way (a full disk) leaves nothing in the album: the
// target's name was free, so whatever lies there now is the copy's.
bool CopyIntoAlbum(CFileOperation& operation, const std::string& source, const std::string& target) {
  if (operation.Copy(source.c_str(), target.c_str())) return true;
  ::DeleteFileA(target.c_str());
  return false;
}

// A photo's files with what an interrupted write left beside them; a name
// that is no single file name names no file of the photo.
void DeletePhotoFiles(const char* albumFolder, const std::string& working, const std::string& reference) {
  if (IsSingleFileName(working.c_str())) {
    DeleteWorkingCopy(ImgPath(albumFolder, working).c_str());
    RemoveLeftoverReplacement(ImgPath(albumFolder, working));
  }
  if (IsSingleFileName(reference.c_str())) {
    ::DeleteFileA(RifPath(albumFolder, reference).c_str());
    RemoveLeftoverReplacement(RifPath(albumFolder, reference));
  }
}

void ShowError(const char* text) { DocumentMessageBox(text, "Error", MB_OK | MB_ICONERROR); }

// Every failed import names its file and says what failed.
void ShowImportFailure(const std::string& name, const std::string& what) {
  ShowError(ImportFailureText(name, what).c_str());
}

std::string Text(const TiXmlElement* element, const char* name) {
  const char* value = element->Attribute(name);
  return value ? value : "";
}

int32_t Integer(const TiXmlElement* element, const char* name) {
  int value = 0;
  return element->QueryIntAttribute(name, &value) == TIXML_SUCCESS ? value : 0;
}

// The list shares the album file's notation: a decimal point whatever the
// user's regional settings say, and what is no finite number reads as 0.
float CropValue(const TiXmlElement* element, const char* name) {
  float value = 0.0f;
  treeNode::ReadDoubleAttribute(*element, name, value);
  return value;
}

void SetCropValue(TiXmlElement& element, const char* name, float value) {
  if (value == 0.0f) return;
  treeNode::SetDoubleAttribute(element, name, value);
}

// The reference copy's stamp is kept in decimal; anything but digits reads
// as no stamp, and the copy is then judged by its date as before.
bool ReadCount(const TiXmlElement* element, const char* name, ULONGLONG& value) {
  const char* text = element->Attribute(name);
  if (!text || !*text) return false;
  value = 0;
  for (const char* c = text; *c; ++c) {
    if (*c < '0' || *c > '9' || value > (~0ULL - 9) / 10) return false;
    value = value * 10 + static_cast<ULONGLONG>(*c - '0');
  }
  return true;
}

void ReadMadeFrom(const TiXmlElement* element, CMImg& image) {
  CFileStamp stamp;
  if (ReadCount(element, "rifSize", stamp.size) && ReadCount(element, "rifTime", stamp.written)) {
    stamp.exists = true;
    if (!ReadCount(element, "rifChange", stamp.changed)) stamp.changed = 0;
    image.madeFrom = stamp;
  }
  CFileStamp made;
  if (ReadCount(element, "imgSize", made.size) && ReadCount(element, "imgTime", made.written)) {
    made.exists = true;
    image.madeAs = made;
  }
  image.masked = Integer(element, "maschera") == 1;
  image.madeFromDigest = DigestFromText(element->Attribute("rifHash"));
  image.madeAsDigest = DigestFromText(element->Attribute("imgHash"));
}

// Written after the attributes every reader knows; older readers pass over them.
void WriteMadeFrom(TiXmlElement& element, const CMImg& image) {
  if (image.madeFrom.exists) {
    element.SetAttribute("rifSize", std::to_string(image.madeFrom.size));
    element.SetAttribute("rifTime", std::to_string(image.madeFrom.written));
  }
  if (image.madeAs.exists) {
    element.SetAttribute("imgSize", std::to_string(image.madeAs.size));
    element.SetAttribute("imgTime", std::to_string(image.madeAs.written));
  }
  if (image.masked) element.SetAttribute("maschera", 1);
  if (image.madeFrom.exists && image.madeFrom.changed)
    element.SetAttribute("rifChange", std::to_string(image.madeFrom.changed));
  if (image.madeFromDigest.known) element.SetAttribute("rifHash", DigestText(image.madeFromDigest));
  if (image.madeAsDigest.known) element.SetAttribute("imgHash", DigestText(image.madeAsDigest));
}

// A name read from the file must name one file inside its folder: an empty
// reference name would name the whole "rif" folder. The first name refused,
// or null when both are safe.
const std::string* RefusedName(const CMImg& image) {
  if (!IsSingleFileName(image.thumb.c_str())) return &image.thumb;
  if (image.tipo != 0 && !IsSingleFileName(image.riferimento.c_str())) return &image.riferimento;
  return nullptr;
}
}  // namespace

CMImageList::CMImageList(const CMImageList& other)
    : m_lastThumb(other.m_lastThumb), m_lastRif(other.m_lastRif) {
  for (const auto& image : other.m_images) m_images.push_back(std::make_unique<CMImg>(*image));
  RebuildIndex();
}

CMImageList& CMImageList::operator=(const CMImageList& other) {
  if (this != &other) {
    CMImageList copy(other);
    m_images.swap(copy.m_images);
    m_lastThumb = copy.m_lastThumb;
    m_lastRif = copy.m_lastRif;
    RebuildIndex();
  }
  return *this;
}

void CMImageList::NewFileName(std::string& out, int32_t number, const char* extension) {
  out += std::to_string(number);
  out += extension;
}

// The counters only grow, and a number whose file is already there (a list file
// edited by hand, an earlier crash) is passed over: an import never overwrites a
// photo of the album, nor takes on a shape left beside its name.
bool CMImageList::TakeWorkingName(std::string& out, const char* albumFolder, const char* extension) {
  do {
    if (m_lastThumb == INT32_MAX) return false;
    out.clear();
    NewFileName(out, ++m_lastThumb, extension);
  } while (Find(out.c_str()) || FileExists(ImgPath(albumFolder, out)) ||
           FileExists(MaskPathFor(ImgPath(albumFolder, out).c_str())));
  return true;
}

bool CMImageList::TakeReferenceName(std::string& out, const char* albumFolder, const char* extension) {
  auto used = [this](const std::string& name) {
    for (const auto& image : m_images)
      if (image->tipo != 0 && image->riferimento == name) return true;
    return false;
  };
  do {
    if (m_lastRif == INT32_MAX) return false;
    out.clear();
    NewFileName(out, ++m_lastRif, extension);
  } while (used(out) || FileExists(RifPath(albumFolder, out)));
  return true;
}

void CMImageList::ReserveNumbers(int32_t lastThumb, int32_t lastRif) {
  m_lastThumb = std::max(m_lastThumb, lastThumb);
  m_lastRif = std::max(m_lastRif, lastRif);
}

CMImg* CMImageList::Append(std::unique_ptr<CMImg> image) {
  CMImg* raw = image.get();
  m_images.push_back(std::move(image));
  m_index.emplace(raw->thumb, raw);
  return raw;
}

CMImg* CMImageList::AppendCopy(const CMImg& image) {
  if (Find(image.thumb.c_str())) return nullptr;
  return Append(std::make_unique<CMImg>(image));
}

void CMImageList::RebuildIndex() {
  m_index.clear();
  for (const auto& image : m_images) m_index.emplace(image->thumb, image.get());
}

std::unique_ptr<CMImageList> CMImageList::Load(const char* path, bool isFullPath,
                                              std::vector<RefusedImage>* refused) {
  try {
    TiXmlDocument document;
    const std::string listPath = ListPath(path, isFullPath);
    RemoveLeftoverReplacement(listPath);  // of a save that never finished
    if (!LoadXmlFile(listPath, document)) return nullptr;
    const TiXmlElement* root = document.RootElement();
    if (!root) return nullptr;

    auto list = std::make_unique<CMImageList>();
    list->m_lastThumb = Integer(root, "lastThumb");
    list->m_lastRif = Integer(root, "lastRif");
    // Tolerant reading: the element names are not checked.
    for (const TiXmlElement* child = root->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
      auto image = std::make_unique<CMImg>();
      image->nome = Text(child, "nome");
      image->thumb = Text(child, "thumb");
      image->tipo = Integer(child, "tipo");
      if (image->tipo == 0)
        image->cdkey = Text(child, "cdkey");
      else
        image->riferimento = Text(child, "riferimento");
      image->refCount = Integer(child, "refCount");
      if (image->refCount < 0) image->refCount = 0;
      image->cropX = CropValue(child, "cropX");
      image->cropY = CropValue(child, "cropY");
      image->ratioH = CropValue(child, "ratioH");
      if (image->tipo != 0) ReadMadeFrom(child, *image);
      if (const std::string* name = RefusedName(*image)) {
        if (refused) refused->push_back({image->nome, *name});
      } else {
        list->Append(std::move(image));
      }
    }
    return list;
  } catch (const std::bad_alloc&) {
    // As a list that cannot be read.
    return nullptr;
  }
}

bool CMImageList::Save(const char* path, bool isFullPath) const {
  TiXmlDocument document;
  auto* root = new TiXmlElement("immagini");
  document.LinkEndChild(root);
  root->SetAttribute("lastThumb", m_lastThumb);
  root->SetAttribute("lastRif", m_lastRif);
  for (const auto& image : m_images) {
    auto* element = new TiXmlElement("immagine");
    root->LinkEndChild(element);
    element->SetAttribute("nome", image->nome);
    element->SetAttribute("thumb", image->thumb);
    element->SetAttribute("tipo", image->tipo);
    if (image->tipo == 0)
      element->SetAttribute("cdkey", image->cdkey);
    else
      element->SetAttribute("riferimento", image->riferimento);
    element->SetAttribute("refCount", image->refCount);
    SetCropValue(*element, "cropX", image->cropX);
    SetCropValue(*element, "cropY", image->cropY);
    SetCropValue(*element, "ratioH", image->ratioH);
    if (image->tipo != 0) WriteMadeFrom(*element, *image);
  }

  return ReplaceFileWithBytes(ListPath(path, isFullPath), XmlText(document));
}

bool CMImageList::AddFromLabCd(const char* cdKey, const char* albumFolder, const char* cdFolder,
                               const char* fileName) {
  std::string name = fileName ? fileName : "";
  std::string newName;
  if (!IsRelativeSubPath(name.c_str())) {
    ShowImportFailure(name, "nome di file non valido");
    return false;
  }
  if (!TakeWorkingName(newName, albumFolder, FindExtension(name.c_str()))) {
    ShowImportFailure(name, kNoNumberLeft);
    return false;
  }
  std::string source = JoinPath(cdFolder ? cdFolder : "", name);
  std::string target = ImgPath(albumFolder, newName);
  if (const std::string fault = ImportSourceFault(source.c_str()); !fault.empty()) {
    ShowImportFailure(name, fault);
    return false;
  }
  CFileOperation operation;
  if (!CopyIntoAlbum(operation, source, target)) {
    ShowImportFailure(name, "impossibile copiare il file dal CD (" + CopyFailureReason(operation) + ")");
    return false;
  }
  // A file from a CD is read-only; the album's copy must be writable.
  ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);

  auto image = std::make_unique<CMImg>();
  image->tipo = 0;
  image->cdkey = cdKey ? cdKey : "";
  image->thumb = newName;
  image->nome = name;
  Append(std::move(image));
  return true;
}

// An entry without its working copy would be a photo the album cannot show:
// when none can be made, the reference copy goes again too.
std::string CMImageList::MakeEntryWorkingCopy(const std::string& reference, const char* albumFolder,
                                              std::string& workingName, CFileDigest& read, bool* damaged) {
  if (!TakeWorkingName(workingName, albumFolder, ".jpg")) {
    ::DeleteFileA(reference.c_str());
    return kNoNumberLeft;
  }
  const std::string working = ImgPath(albumFolder, workingName);
  ::SetLastError(ERROR_SUCCESS);
  // Made from the album's own copy: what the list records is the digest of
  // the bytes the working copy shows.
  if (MakeWorkingCopy(reference.c_str(), working.c_str(), damaged, &read)) return std::string();
  // Taken before the clean-up below sets its own.
  const DWORD writeError = ::GetLastError();
  ::DeleteFileA(reference.c_str());
  DeleteWorkingCopy(working.c_str());
  // A full disk is the disk's fault, not the photo's.
  if (writeError != ERROR_SUCCESS)
    return "impossibile scrivere la copia di lavoro nello sposalbo (" + WriteFailureReason(writeError) + ")";
  return "impossibile leggere l'immagine";
}

CMImg* CMImageList::AddFromFile(const char* sourcePath, const char* albumFolder) {
  std::string name = FindFileName(sourcePath ? sourcePath : "");
  // A file chosen and then not imported is said, whatever the reason.
  if (const std::string fault = ImportSourceFault(sourcePath); !fault.empty()) {
    ShowImportFailure(name, fault);
    return nullptr;
  }
  std::string referenceName;
  if (!TakeReferenceName(referenceName, albumFolder, FindExtension(name.c_str()))) {
    ShowImportFailure(name, kNoNumberLeft);
    return nullptr;
  }
  std::string reference = RifPath(albumFolder, referenceName);
  CFileOperation operation;
  if (!CopyIntoAlbum(operation, sourcePath, reference)) {
    ShowImportFailure(name, "impossibile copiare il file nello sposalbo (" + CopyFailureReason(operation) + ")");
    return nullptr;
  }
  ::SetFileAttributesA(reference.c_str(), FILE_ATTRIBUTE_NORMAL);

  std::string workingName;
  bool damaged = false;
  CFileDigest read;
  if (const std::string fault = MakeEntryWorkingCopy(reference, albumFolder, workingName, read, &damaged);
      !fault.empty()) {
    ShowImportFailure(name, fault);
    return nullptr;
  }
  if (damaged) DocumentMessageBox(DamagedImportText(name).c_str(), kImportTitle, MB_OK | MB_ICONWARNING);

  auto image = std::make_unique<CMImg>();
  image->tipo = 1;
  image->riferimento = referenceName;
  image->thumb = workingName;
  image->nome = name;
  RecordWorkingCopyOrigin(*image, ReadContentStamp(reference), ImgPath(albumFolder, workingName), true, read);
  return Append(std::move(image));
}

bool CMImageList::AddCroppedImageWith(const SaveCropFunction& saveCrop, const char* albumFolder,
                                      CString* pWorkingName) {
  std::string referenceName;
  if (!TakeReferenceName(referenceName, albumFolder, ".tif")) return false;
  std::string reference = RifPath(albumFolder, referenceName);
  float cropX = 0.0f, cropY = 0.0f, ratioH = 0.0f;
  if (!saveCrop || !saveCrop(CString(reference), cropX, cropY, ratioH)) {
    // A cut-out the dialog gave up on half way is no photo of the album.
    ::DeleteFileA(reference.c_str());
    return false;
  }

  std::string workingName;
  CFileDigest read;
  if (!MakeEntryWorkingCopy(reference, albumFolder, workingName, read).empty()) return false;

  auto image = std::make_unique<CMImg>();
  image->tipo = 1;
  image->riferimento = referenceName;
  image->nome = referenceName;
  image->thumb = workingName;
  image->cropX = cropX;
  image->cropY = cropY;
  image->ratioH = ratioH;
  RecordWorkingCopyOrigin(*image, ReadContentStamp(reference), ImgPath(albumFolder, workingName), true, read);
  Append(std::move(image));
  if (pWorkingName) *pWorkingName = CString(workingName);
  return true;
}

CMImg* CMImageList::Find(const char* thumb) const {
  auto it = m_index.find(thumb ? thumb : "");
  return it == m_index.end() ? nullptr : it->second;
}

int CMImageList::ChangeRef(const char* thumb, int delta) {
  CMImg* image = Find(thumb);
  if (!image) return -1;
  if (delta < 0)
    image->refCount = image->refCount > 0 ? image->refCount - 1 : 0;
  else if (image->refCount < INT32_MAX)
    ++image->refCount;
  // The photo bar marks the photos in use.
  if (m_batchDepth == 0)
    if (IDocumentHost* host = GetDocumentHost()) host->InvalidatePhotoThumbnails();
  return image->refCount;
}

CMImageList::RefBatch::~RefBatch() {
  if (--m_list.m_batchDepth == 0)
    if (IDocumentHost* host = GetDocumentHost()) host->InvalidatePhotoThumbnails();
}

int CMImageList::AddRef(const char* thumb) { return ChangeRef(thumb, 1); }

int CMImageList::Release(const char* thumb) { return ChangeRef(thumb, -1); }

void CMImageList::ResetRefs() {
  for (auto& image : m_images) image->refCount = 0;
}

std::vector<CString> CMImageList::GetFileNames(bool wantThumbs) const {
  std::vector<CString> names;
  for (const auto& image : m_images)
    names.push_back(CString(wantThumbs ? image->thumb : image->riferimento));
  return names;
}

void CMImageList::Remove(const char* thumb, const char* albumFolder) {
  CMImg* image = Find(thumb);
  if (!image) return;
  std::string working = image->thumb;
  std::string reference = image->riferimento;
  m_index.erase(working);
  for (auto it = m_images.begin(); it != m_images.end(); ++it) {
    if ((*it)->thumb == working) {
      m_images.erase(it);
      break;
    }
  }
  RebuildIndex();  // a later entry with the same name takes the index place
  DeletePhotoFiles(albumFolder, working, reference);
  Save(albumFolder, false);
}

void CMImageList::DeleteFiles(const char* albumFolder) const {
  for (const auto& image : m_images) DeletePhotoFiles(albumFolder, image->thumb, image->riferimento);
}

}  // namespace spab_imagelist
