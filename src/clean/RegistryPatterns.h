#pragma once
// Registry entries below HKEY_CURRENT_USER named by pattern (erase/NamePattern.h): the
// numbered values of a list that shares its key with settings, the key a program keeps per
// version or per GUID. The key path may hold patterns for whole names ("Office\\#.0\\Excel"):
// each key it names is found by listing the key above it, so a program's every version is
// cleaned and nothing beside it.
//
// Every key is reached component by component as itself (erase/RegKeyPath.h): a key that is,
// or lies below, a registry link is refused, recorded so, and the item shows as skipped. A
// key that cannot be listed is recorded as failed and nothing in it is touched: a failed
// read never becomes the list acted on.
#include <string>

#include "erase/RunContext.h"

namespace clean {

// Deletes the values whose names match `names` and not `keep` in every key `keyPath` names;
// the keys and their other values stay. While the run collects, each is only recorded.
void PurgeValuesMatching(const erase::RunContext& run, const std::string& keyPath, const std::string& names,
                         const std::string& keep);

// Deletes, with everything in them, the sub-keys whose names match `names` and not `keep` of
// every key `keyPath` names; the keys, their values and their other sub-keys stay.
void DeleteSubKeysMatching(const erase::RunContext& run, const std::string& keyPath, const std::string& names,
                           const std::string& keep);

}  // namespace clean
