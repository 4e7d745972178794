#pragma once
// Names an item takes, written as patterns: a list that Windows or a program numbers
// ("File1".."File9", "MRU1"..), a key per version ("8.0".."12.0"), a key per GUID.
//
// A pattern names whole names only, never a piece of one: "Recent File List" does not take
// "Recent File List Backup", nor "File#" "File1 Backup". In a pattern '*' stands for any run
// of characters and '#' for one or more decimal digits; every other character stands for
// itself, letters compared without case as Windows compares names. '|' parts a list of
// patterns. An empty name matches none.
#include <string>

namespace erase {

// True when `name` matches one of the patterns of `patterns` ("File#|MRU#").
bool nameMatchesAny(const std::string& patterns, const std::string& name);

// True when the path below a folder (`relative`, names parted by '\\') matches one of the
// paths of `patterns`, name by name: "*\\sys" takes "ab12\\sys", not "sys" nor "ab\\cd\\sys".
bool pathMatchesAny(const std::string& patterns, const std::string& relative);

// True when the name is a pattern ('*' or '#' in it) rather than a name.
bool isNamePattern(const std::string& name);

}  // namespace erase
