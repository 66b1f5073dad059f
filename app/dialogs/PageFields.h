#pragma once
// The fields of a data page, read from its HTML: the text inputs, text areas
// and lists in page order, each with its parameter name and the text of the
// label that names it (the name itself when none does).
#include <string>
#include <vector>

struct PageField {
  std::string name;
  std::string label;
  bool multiline = false;  // a text area
};

std::vector<PageField> ReadPageFields(const std::string& html);

// The fields of the program's own page (html\data.html): what a laboratory
// asks of every wedding. Offered where no page can be read.
std::vector<PageField> StandardPageFields();

// The file a URL names on this computer ("file:" URLs and plain paths), empty
// for any other URL.
std::string LocalPathOfUrl(const std::string& url);
