#include "document/imagelist/ImportMessages.h"

#include "document/services/FileOperation.h"

namespace spab_imagelist {

std::string ImportSourceFault(const char* sourcePath) {
  const std::string path = sourcePath ? sourcePath : "";
  // The program speaks the system's code page: a name with characters outside
  // it reaches the program with '?' in their place, and wildcards are in no
  // real file's name.
  if (path.find_first_of("?*") != std::string::npos)
    return "il nome del file o della sua cartella contiene caratteri che il programma non pu\xF2 usare; "
           "rinominarli e caricare di nuovo il file";
  CFileOperation files;
  switch (files.GetPathKind(path.c_str())) {
    case CFileOperation::kPathMissing:
      return "file non trovato";
    case CFileOperation::kPathFolder:
      return "\xE8 una cartella, non un'immagine";
    default:
      return std::string();
  }
}

std::string CopyFailureReason(const CFileOperation& operation) {
  switch (operation.GetErrorCode()) {
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
    case 0:
      return "copia non riuscita";
    default:
      // The system's own words, in the system's language, are the best left.
      return "errore di sistema " + std::to_string(operation.GetErrorCode()) + ": " +
             operation.GetErrorString().str();
  }
}

std::string ImportFailureText(const std::string& name, const std::string& what) { return name + ": " + what + "."; }

}  // namespace spab_imagelist
