#pragma once
// What tools/sign-update does, apart from its command line: the manifest of a program,
// signed only where an installed copy will accept it.
#include <cstdint>
#include <string>

#include "upgrade/UpdateKey.h"

namespace signupdate {

// The manifest of `program` as version `versionText`, signed with the key whose Ed25519
// seed is `seed`, in `*manifest`; or why not, with nothing written. Refused: a key that
// `trusted` does not list (no installed copy would accept it), and a version other than the
// one the program's file declares (an older number would allow going back to it).
std::string signManifest(const uint8_t seed[32], const std::string& program, const std::string& versionText,
                         const upgrade::TrustedKeys& trusted, std::string* manifest);

}  // namespace signupdate
