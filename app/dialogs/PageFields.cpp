#include "app/dialogs/PageFields.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <regex>

namespace {
std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// An attribute's value inside a tag ("name=\"x\"", "name='x'" or "name=x").
std::string attribute(const std::string& tag, const char* name) {
  const std::regex pattern(std::string("\\b") + name + "\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))",
                           std::regex::icase);
  std::smatch m;
  if (!std::regex_search(tag, m, pattern)) return std::string();
  for (int i = 2; i <= 4; ++i)
    if (m[i].matched) return m[i].str();
  return std::string();
}

// The visible text of HTML: tags dropped, the common character references
// replaced, white space folded.
std::string plainText(const std::string& html) {
  std::string text = std::regex_replace(html, std::regex("<[^>]*>"), "");
  static const std::pair<const char*, const char*> kEntities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&nbsp;", " "}, {"&amp;", "&"}};
  for (const auto& e : kEntities) {
    for (size_t at = text.find(e.first); at != std::string::npos; at = text.find(e.first, at + 1))
      text.replace(at, std::char_traits<char>::length(e.first), e.second);
  }
  std::smatch m;
  while (std::regex_search(text, m, std::regex("&#(\\d+);"))) {
    long code = std::strtol(m[1].str().c_str(), nullptr, 10);
    text.replace(static_cast<size_t>(m.position(0)), static_cast<size_t>(m.length(0)),
                 std::string(1, code > 0 && code < 256 ? static_cast<char>(code) : '?'));
  }
  text = std::regex_replace(text, std::regex("\\s+"), " ");
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
}  // namespace

std::vector<PageField> ReadPageFields(const std::string& html) {
  std::map<std::string, std::string> labels;  // the id a label is for -> its text
  const std::regex labelPattern("<label\\b([^>]*)>([\\s\\S]*?)</label\\s*>", std::regex::icase);
  for (std::sregex_iterator it(html.begin(), html.end(), labelPattern), end; it != end; ++it) {
    const std::string target = attribute((*it)[1].str(), "for");
    if (!target.empty()) labels[target] = plainText((*it)[2].str());
  }

  std::vector<PageField> fields;
  const std::regex fieldPattern("<(input|textarea|select)\\b([^>]*)>", std::regex::icase);
  for (std::sregex_iterator it(html.begin(), html.end(), fieldPattern), end; it != end; ++it) {
    const std::string kind = lower((*it)[1].str()), tag = (*it)[2].str();
    const std::string type = lower(attribute(tag, "type"));
    // Only fields that hold a text the user types.
    if (kind == "input" && !type.empty() && type != "text" && type != "email" && type != "tel" && type != "date" &&
        type != "number" && type != "search")
      continue;
    PageField field;
    field.name = attribute(tag, "name");
    if (field.name.empty()) field.name = attribute(tag, "id");
    if (field.name.empty()) continue;
    if (std::any_of(fields.begin(), fields.end(), [&](const PageField& f) { return f.name == field.name; })) continue;
    const std::string id = attribute(tag, "id");
    auto label = labels.find(id.empty() ? field.name : id);
    field.label = label != labels.end() && !label->second.empty() ? label->second : field.name;
    field.multiline = kind == "textarea";
    fields.push_back(field);
  }
  return fields;
}

std::vector<PageField> StandardPageFields() {
  return {{"sposa", "Sposa", false},
          {"sposo", "Sposo", false},
          {"data", "Data del matrimonio", false},
          {"chiesa", "Chiesa o luogo della cerimonia", false},
          {"ricevimento", "Ricevimento", false},
          {"note", "Note per il laboratorio", true}};
}

std::string LocalPathOfUrl(const std::string& url) {
  const std::string l = lower(url);
  if (l.compare(0, 8, "file:///") == 0) {
    std::string path = url.substr(8);
    std::replace(path.begin(), path.end(), '/', '\\');
    // Escaped characters of the URL.
    std::string decoded;
    for (size_t i = 0; i < path.size(); ++i) {
      if (path[i] == '%' && i + 2 < path.size() && std::isxdigit(static_cast<unsigned char>(path[i + 1])) &&
          std::isxdigit(static_cast<unsigned char>(path[i + 2]))) {
        decoded += static_cast<char>(std::strtol(path.substr(i + 1, 2).c_str(), nullptr, 16));
        i += 2;
      } else {
        decoded += path[i];
      }
    }
    return decoded;
  }
  // Any other scheme ("http:", "res:") names no file here; a drive letter or a
  // folder path does.
  const size_t colon = url.find(':');
  if (colon != std::string::npos && colon > 1) return std::string();
  return url;
}
