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
