#pragma once
// Files the user made (albums, image lists, saved pictures) are written beside
// their target and only then put in its place, so a failure at any point leaves
// the old file as it was.
#include <functional>
#include <string>

// writeTemporary writes the whole new file to the path it is given and says
// whether it succeeded; false when the target could not be replaced, with
// the system's error of the failure as the last error.
bool ReplaceFileWith(const std::string& path,
                     const std::function<bool(const std::string& temporary)>& writeTemporary);

// Writes bytes as the whole file; false when any of them did not reach it. A
// full disk shows only when the buffer is flushed, which closing alone does not
// report everywhere.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// ReplaceFileWith for a file whose new content is bytes.
bool ReplaceFileWithBytes(const std::string& path, const std::string& bytes);

// A new file that a write interrupted (the program killed) left beside its
// target is removed; the target itself stays as it was.
void RemoveLeftoverReplacement(const std::string& path);
