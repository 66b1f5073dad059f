#include "imagelib/ImgWarning.h"

#include <cstdio>

namespace img {

void ImgWarning(const std::string& message) {
    std::printf("\n\nimg_warning : %s", message.c_str());
    std::fflush(stdout);
}

}  // namespace img
