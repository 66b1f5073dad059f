#include "render/MaskPath.h"

#include <windows.h>

std::string MaskPathFor(const char* picturePath)
{
    const std::string path = picturePath ? picturePath : "";
    const size_t folderEnd = path.find_last_of("\\/:");
    const size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = path.size();
    return path.substr(0, dot) + ".msk" + path.substr(dot);
}

bool HasMaskBeside(const char* picturePath)
{
    return GetFileAttributesA(MaskPathFor(picturePath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsMaskName(const char* name)
{
    const std::string text = name ? name : "";
    const size_t dot = text.rfind('.');
    const std::string stem = dot == std::string::npos ? text : text.substr(0, dot);
    constexpr size_t kMarkLength = 4;  // ".msk"
    if (stem.size() < kMarkLength || text.size() <= kMarkLength)
        return false;
    return lstrcmpiA(stem.c_str() + stem.size() - kMarkLength, ".msk") == 0;
}
