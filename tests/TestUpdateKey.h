#pragma once
// A key pair made for tests only (tools/sign-update --new-key). Builds configured with
// QUELLERY_TEST_UPDATE_KEY trust its public half; the program as shipped does not.
namespace testkey {

// The Ed25519 seed, the secret key file's content.
inline constexpr char kSecretSeedHex[] = "adcfb39da210a7ac066f095b38ed0bb1f347102cc75c1dae6335165de7130efc";
inline constexpr char kPublicKeyHex[] = "cabe05bd570e230562a5fb78818dedac1974789f49e4bbac8007e3ee4bbc5cfc";

}  // namespace testkey
