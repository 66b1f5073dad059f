#include "imagelib/IplFailures.h"

#include <string>

#include "imagelib/ImgWarning.h"
#include "ipl/ipl.h"

namespace img {

namespace {
// Per thread: the thumbnail loaders call the processing library on threads
// of their own, and a failure there is no failure of the user-interface
// thread's operation.
thread_local uint32_t t_failures = 0;

std::string Text(const char* text) { return text ? text : "?"; }
}  // namespace

int32_t IplFailureHandler(int32_t status, const char* funcName, const char* context, const char* fileName,
                          int32_t line) {
  ++t_failures;
  ImgWarning(Text(funcName) + " failed with status " + std::to_string(status) + " (" + Text(context) + ", " +
             Text(fileName) + " line " + std::to_string(line) + ")");
  iplSetErrStatus(0);
  return 0;
}

bool InstallIplFailureHandler() {
  iplRedirectError(&IplFailureHandler);
  return true;
}

IplFailureWatch::IplFailureWatch() : m_failuresBefore(t_failures) {}

bool IplFailureWatch::Failed() const { return t_failures != m_failuresBefore; }

}  // namespace img
