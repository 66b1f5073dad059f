#include "boolengine/boolerror.h"

namespace {
const std::string::size_type kMaxText = 199;

std::string limited(const char* text)
{
    std::string s = text ? text : "non specified";
    if (s.size() > kMaxText) s.resize(kMaxText);
    return s;
}
}  // namespace

Bool_Engine_Error::Bool_Engine_Error(const char* message_, const char* header_, int degree_,
                                     int fatal_)
    : message(limited(message_)), header(limited(header_)), degree(degree_), fatal(fatal_)
{
}
