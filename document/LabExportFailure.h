#pragma once
// What the parts of a laboratory export share: the failure that stops it
// (caught by CLabExport::Run, which removes the half-written folder) and the
// title of what it tells.
#include <string>

namespace lab_export {

const char kTitle[] = "Invio al laboratorio";

struct Failure {
  std::string text;
};

[[noreturn]] inline void Fail(const std::string& text) { throw Failure{text}; }

// A file that kept changing while it was copied, or stayed held by its
// writer; photo names the photo it belongs to, when it is one.
inline std::string StillWritten(const std::string& photo, const std::string& path) {
  return (photo.empty() ? std::string() : "La foto " + photo + ": ") + "il file " + path +
         " \xE8 danneggiato o ancora in scrittura: riprovare quando il programma che lo scrive ha finito.";
}

}  // namespace lab_export
