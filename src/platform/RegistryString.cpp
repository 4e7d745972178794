#include "platform/RegistryString.h"

#include "platform/WinError.h"

namespace platform {

namespace {

std::string readOpened(Registry& reg, HKey key, const std::string& name, const std::string& defaultText) {
  uint32_t type = 0, size = 0;
  if (reg.queryValue(key, name, &type, nullptr, &size) != winerr::Success || type != regtype::String)
    return defaultText;
  std::string buffer(size, ' ');
  uint8_t empty = 0;
  uint8_t* data = size ? reinterpret_cast<uint8_t*>(&buffer[0]) : &empty;
  uint32_t got = size;
  // A value that changed size between the two queries is left at the default rather than
  // read as the blanks of the buffer.
  if (reg.queryValue(key, name, &type, data, &got) != winerr::Success || type != regtype::String) return defaultText;
  const size_t zero = buffer.find('\0');
  return zero == std::string::npos ? buffer : buffer.substr(0, zero);
}

}  // namespace

std::string readStringValue(Registry& reg, HKey root, const std::string& subKey, const std::string& name,
                            const std::string& defaultText) {
  HKey key = 0;
  if (reg.openKey(root, subKey, &key) != winerr::Success) return defaultText;
  std::string result;
  try {
    result = readOpened(reg, key, name, defaultText);
  } catch (...) {
    reg.closeKey(key);
    throw;
  }
  reg.closeKey(key);
  return result;
}

}  // namespace platform
