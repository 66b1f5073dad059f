#pragma once
// A double in the key files' number form: fixed notation with six decimals,
// rounded as "%f" rounds (to nearest on the exact value, ties to even).
#include <cstddef>
#include <string>

// Room a number may need (values beyond 2^31 take the general path).
constexpr std::size_t kFixedSixRoom = 512;

// Writes v at out, which has kFixedSixRoom bytes; answers the end.
char* FormatFixedSix(char* out, double v);
void AppendFixedSix(std::string& out, double v);
