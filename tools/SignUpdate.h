#pragma once
// What tools/sign-update does, apart from its command line: the manifest of a program,
// signed only where an installed copy will accept it.
#include <cstdint>
#include <string>

#include "upgrade/UpdateKey.h"

namespace signupdate {

// The manifest text naming `keyId` and `version` for `program`, signed with the 64-byte
// libsodium secret key, with no check at all: the tests build wrong ones on purpose.
std::string signedManifest(const std::string& keyId, int version, const std::string& program,
                           const unsigned char* secretKey);

// The manifest of `program` as version `versionText`, signed with the key whose Ed25519
// seed is `seed`, in `*manifest`; or why not, with nothing written. Refused: a key that
// `trusted` does not list (no installed copy would accept it), and a version other than the
// one the program's file declares (an older number would allow going back to it).
std::string signManifest(const uint8_t seed[32], const std::string& program, const std::string& versionText,
                         const upgrade::TrustedKeys& trusted, std::string* manifest);

}  // namespace signupdate
