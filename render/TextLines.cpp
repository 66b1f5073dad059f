#include "render/TextLines.h"

std::vector<std::string> SplitTextLines(const char* text)
{
    std::vector<std::string> lines;
    if (!text || !*text)
        return lines;
    std::string current;
    for (const char* p = text;; ++p) {
        if (*p == '\n' || *p == '\0') {
            lines.push_back(current.empty() ? std::string(" ") : current);
            current.clear();
            if (*p == '\0')
                break;
        } else {
            current += *p;
        }
    }
    return lines;
}

std::vector<float> LineOffsets(int count, float lineHeight)
{
    std::vector<float> offsets;
    for (int i = 0; i < count; ++i)
        offsets.push_back(static_cast<float>(count - 1 - i) * 1.5f * lineHeight);
    return offsets;
}
