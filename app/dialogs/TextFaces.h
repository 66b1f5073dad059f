#pragma once
// Which face a text starts in. The face asked for when this computer has it;
// otherwise one the laboratory has (a face of its font list that is installed
// here), else the system's own face for text, else any installed face. So a
// new text never starts in whatever face happens to come first in the list,
// nor names a face that nobody can print.
#include <functional>
#include <string>
#include <vector>

std::string ChooseTextFace(const std::string& wanted, const std::vector<std::string>& installed,
                           const std::function<bool(const std::string&)>& isLabFace, const std::string& systemFace);

// The face the system writes its messages in.
std::string SystemTextFace();
