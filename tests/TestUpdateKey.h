#pragma once
// Key pairs made for tests only (tools/sign-update --new-key). Builds for tests trust
// their public halves (tests/TestTrustedKeys.txt: this one as the current key, the second
// as the next); the program as shipped trusts neither.
namespace testkey {

// The Ed25519 seeds, the secret key files' content.
inline constexpr char kSecretSeedHex[] = "adcfb39da210a7ac066f095b38ed0bb1f347102cc75c1dae6335165de7130efc";
inline constexpr char kPublicKeyHex[] = "cabe05bd570e230562a5fb78818dedac1974789f49e4bbac8007e3ee4bbc5cfc";
inline constexpr char kNextSecretSeedHex[] = "8e6bba9a97a81c703f39e112b692ee37e419136e47fe0368f2dcb1b325cc1424";
inline constexpr char kNextPublicKeyHex[] = "53abf0265be60961f1e63ffc53d406cb768eb7579ee3861d8364aef46f73e100";

}  // namespace testkey
