// Warnings of the image library go to standard output, never to a dialog:
// the library runs inside loader threads and tests.
#ifndef SPAB_IMAGELIB_IMGWARNING_H
#define SPAB_IMAGELIB_IMGWARNING_H

#include <string>

namespace img {

// Writes "\n\nimg_warning : " and the message.
void ImgWarning(const std::string& message);

}  // namespace img

#endif
