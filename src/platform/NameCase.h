#pragma once
// Letter case as Windows ignores it in the names of files, folders and registry keys: each
// character upper-cased through the system's table, accented letters included. Narrow
// names are read in the ANSI code page of Western Windows (1252).
#include <string>

namespace platform {

char upperCase(char c);
std::string upperCased(std::string text);
// Whole names equal but for letter case; an empty name matches nothing.
bool sameName(const std::string& a, const std::string& b);

}  // namespace platform
