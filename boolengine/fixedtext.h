#pragma once
// A double in the key files' number form: fixed notation with six decimals,
// rounded as "%f" rounds (to nearest on the exact value, ties to even).
#include <string>

void AppendFixedSix(std::string& out, double v);
