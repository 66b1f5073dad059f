#pragma once
// A page template (Pagine > Salva come template) is an album file of one page,
// written like an album template and often into the same folder. Its root
// element carries templatepagina="1", so that the new-album list can leave it
// out without reading the whole file.
#include <string>

extern const char kPageTemplateMark[];

// True when the file's root element carries the mark; false for an album
// template, an album, or a file that cannot be read.
bool IsPageTemplateFile(const std::string& path);
