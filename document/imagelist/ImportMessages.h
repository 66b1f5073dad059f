#pragma once
// What the user reads when a photo cannot be imported: the file's name and
// what failed, in the program's language (the file operations' own texts are
// the system's, and name no file).
#include <string>

class CFileOperation;

namespace spab_imagelist {

// Why a source file cannot be imported before anything is copied, or empty
// when it can be tried: a name the program cannot use, a missing file, a
// folder, an empty file.
std::string ImportSourceFault(const char* sourcePath);

// Why a copy failed, from the operation's system error.
std::string CopyFailureReason(const CFileOperation& operation);

// Why a file could not be written, from the system's error.
std::string WriteFailureReason(unsigned long systemError);

// "name: what." as the import's error box shows it.
std::string ImportFailureText(const std::string& name, const std::string& what);

// What to do for a photo whose full-size picture is lost: "caricarla di nuovo
// ..." (import it again and put it back in its places), as a clause.
extern const char kImportAgain[];

// The title of the box telling of a photo imported damaged, and its text.
extern const char kImportTitle[];
std::string DamagedImportText(const std::string& name);

}  // namespace spab_imagelist
