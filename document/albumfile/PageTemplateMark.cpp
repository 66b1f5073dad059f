#include "document/albumfile/PageTemplateMark.h"

#include <cctype>
#include <fstream>

#include <tinyxml.h>

const char kPageTemplateMark[] = "templatepagina";

namespace {
// The root's start tag lies at the head of every file the program writes.
constexpr std::streamsize kHeadBytes = 4096;
}  // namespace

bool IsPageTemplateFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string head(static_cast<size_t>(kHeadBytes), '\0');
  file.read(&head[0], kHeadBytes);
  head.resize(static_cast<size_t>(file.gcount()));
  // The first element's start tag, past a declaration or comment.
  size_t open = head.find('<');
  while (open != std::string::npos && open + 1 < head.size() &&
         !std::isalpha(static_cast<unsigned char>(head[open + 1])))
    open = head.find('<', open + 1);
  const size_t close = open == std::string::npos ? open : head.find('>', open);
  if (close == std::string::npos) return false;
  std::string tag = head.substr(open, close - open);
  if (tag.back() == '/') tag.pop_back();
  TiXmlDocument document;
  document.Parse((tag + "/>").c_str());
  const TiXmlElement* root = document.RootElement();
  int mark = 0;
  return root && root->QueryIntAttribute(kPageTemplateMark, &mark) == TIXML_SUCCESS && mark == 1;
}
