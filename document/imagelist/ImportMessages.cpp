#include "document/imagelist/ImportMessages.h"

#include <windows.h>

#include "document/services/FileOperation.h"
#include "document/services/FileStamp.h"
#include "document/services/SystemMessage.h"

namespace spab_imagelist {

namespace {
const char kNameOutsideCodePage[] =
    "il nome del file o della sua cartella contiene caratteri che il programma non pu\xF2 usare; "
    "rinominarli e caricare di nuovo il file";

// Whether a file or folder of the existing folder has a name outside the
// code page that the system gives the program as this one.
bool NearestLettersOfAName(const std::string& folder, const std::string& name) {
  std::wstring pattern(folder.size() + 3, L'\0');
  const int length =
      ::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, &pattern[0], static_cast<int>(pattern.size()));
  if (length <= 0) return false;
  pattern.resize(static_cast<size_t>(length - 1));
  pattern += L"\\*";
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW(pattern.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  do {
    char given[MAX_PATH * 2];
    BOOL lost = FALSE;
    if (::WideCharToMultiByte(CP_ACP, 0, entry.cFileName, -1, given, sizeof given, nullptr, nullptr) > 0 &&
        ::lstrcmpiA(given, name.c_str()) == 0)
      found = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, entry.cFileName, -1, given, sizeof given,
                                    nullptr, &lost) == 0 ||
              lost;
  } while (!found && ::FindNextFileW(find, &entry));
  ::FindClose(find);
  return found;
}

// A path the program was given that names nothing because a name in it had
// characters outside the code page, which the system replaced by their
// nearest letters (a Polish L with a stroke as a plain L): the first missing
// part of the path is looked for among its folder's names as they really are.
bool NamedByNearestLetters(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos || slash == 0) return false;
  const std::string folder = path.substr(0, slash);
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return NamedByNearestLetters(folder);
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) && NearestLettersOfAName(folder, path.substr(slash + 1));
}
}  // namespace

std::string ImportSourceFault(const char* sourcePath) {
  const std::string path = sourcePath ? sourcePath : "";
  // The program speaks the system's code page: a name with characters outside
  // it reaches the program with '?' in their place, and wildcards are in no
  // real file's name.
  if (path.find_first_of("?*") != std::string::npos) return kNameOutsideCodePage;
  CFileOperation files;
  switch (files.GetPathKind(path.c_str())) {
    case CFileOperation::kPathMissing:
      // Or with their nearest letters, naming a file that is not there.
      return NamedByNearestLetters(path) ? kNameOutsideCodePage : "file non trovato";
    case CFileOperation::kPathFolder:
      return "\xE8 una cartella, non un'immagine";
    default: {
      // A file of no byte (a copy that never finished) holds no picture.
      const CFileStamp stamp = ReadFileStamp(path);
      return stamp.exists && stamp.size == 0 ? "il file \xE8 vuoto" : std::string();
    }
  }
}

namespace {
// The system's error in the user's words; empty for one the program has no
// words of its own for.
std::string KnownReason(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
      return "file non trovato";
    case ERROR_PATH_NOT_FOUND:
      return "percorso non trovato";
    case ERROR_ACCESS_DENIED:
      return "accesso negato";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "il file \xE8 in uso da un altro programma";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "disco pieno";
    case ERROR_WRITE_PROTECT:
      return "disco protetto da scrittura";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return "nome o percorso non valido";
    case ERROR_NOT_READY:
      return "unit\xE0 non pronta";
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
      return "errore di lettura del disco";
    default:
      return std::string();
  }
}

// The system's own words, in the system's language, are the best left.
std::string SystemReason(DWORD code, const std::string& text) {
  return "errore di sistema " + std::to_string(code) + ": " + text;
}
}  // namespace

std::string CopyFailureReason(const CFileOperation& operation) {
  const DWORD code = operation.GetErrorCode();
  if (code == 0) return "copia non riuscita";
  const std::string known = KnownReason(code);
  return known.empty() ? SystemReason(code, operation.GetErrorString().str()) : known;
}

std::string WriteFailureReason(unsigned long systemError) {
  const std::string known = KnownReason(systemError);
  return known.empty() ? SystemReason(systemError, SystemMessage(systemError).str()) : known;
}

std::string ImportFailureText(const std::string& name, const std::string& what) { return name + ": " + what + "."; }

const char kImportTitle[] = "Carica immagini";

const char kImportAgain[] = "caricarla di nuovo (File > Carica immagini) e rimetterla al suo posto nelle pagine";

std::string DamagedImportText(const std::string& name) {
  return ImportFailureText(name,
                           "il file \xE8 danneggiato (l'immagine contiene dati non validi) ed \xE8 stato "
                           "caricato come si \xE8 potuto leggere; per stamparla bene, caricare di nuovo la foto "
                           "da un file intero");
}

}  // namespace spab_imagelist
