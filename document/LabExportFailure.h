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

}  // namespace lab_export
