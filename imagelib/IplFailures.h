// The image library's handler of the image processing library's failures. The
// processing library's own handler ends the process on any failure; the image
// library installs this one when it starts (with its first translation unit,
// ImgBitmap.cpp), so a failing operation is written as an image library
// warning, counted for the thread that called it, and its status cleared: the
// operation returns and the program goes on. Callers that must know whether an
// operation did its work watch it with IplFailureWatch.
#ifndef SPAB_IMAGELIB_IPLFAILURES_H
#define SPAB_IMAGELIB_IPLFAILURES_H

#include <cstdint>

namespace img {

int32_t IplFailureHandler(int32_t status, const char* funcName, const char* context, const char* fileName,
                          int32_t line);

// Puts IplFailureHandler in place; true, so it can start a static value.
bool InstallIplFailureHandler();

// Whether an operation of the processing library failed on this thread since
// the watch was made.
class IplFailureWatch {
 public:
  IplFailureWatch();
  bool Failed() const;

 private:
  uint32_t m_failuresBefore;
};

}  // namespace img

#endif
