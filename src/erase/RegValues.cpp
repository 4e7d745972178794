#include "erase/RegValues.h"

#include "app/App.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

std::string ReadRegString(app::App& app, HKey root, const std::string& subKey, const std::string& name) {
  Registry& reg = app.os.registry;
  HKey key = 0;
  std::string result;
  try {
    if (reg.openKey(root, subKey, &key) != winerr::Success) return result;
  } catch (const std::exception&) {
    return result;
  }
  try {
    uint32_t type = 0, size = 0;
    if (reg.queryValue(key, name, &type, nullptr, &size) == winerr::Success && type == regtype::String) {
      std::string buffer(size, ' ');
      uint8_t empty = 0;
      uint32_t got = size;
      if (reg.queryValue(key, name, &type, size ? reinterpret_cast<uint8_t*>(&buffer[0]) : &empty, &got) ==
              winerr::Success &&
          type == regtype::String)
        result = buffer.substr(0, buffer.find('\0'));
    }
  } catch (const std::exception&) {
  }
  try {
    reg.closeKey(key);
  } catch (const std::exception&) {
  }
  return result;
}

void WriteRegValue(app::App& app, HKey root, const std::string& subKey, const std::string& name,
                   const std::string& text, uint32_t type) {
  Registry& reg = app.os.registry;
  HKey key = 0;
  bool opened = false;
  try {
    opened = reg.openKeyEx(root, subKey, regaccess::AllAccess, &key) == winerr::Success;
    if (!opened) opened = reg.createKeyEx(root, subKey, regaccess::AllAccess, &key, nullptr) == winerr::Success;
    if (!opened) opened = reg.createKey(root, subKey, &key) == winerr::Success;
    if (opened && (type == regtype::String || type == regtype::Binary))
      reg.setValue(key, name, type, reinterpret_cast<const uint8_t*>(text.data()),
                   static_cast<uint32_t>(text.size()));
  } catch (const std::exception&) {
  }
  try {
    if (opened) reg.closeKey(key);
  } catch (const std::exception&) {
  }
}

void DeleteRegValue(app::App& app, HKey root, const std::string& subKey, const std::string& name) {
  Registry& reg = app.os.registry;
  HKey key = 0;
  bool opened = false;
  try {
    opened = reg.openKey(root, subKey, &key) == winerr::Success;
    if (opened) reg.deleteValue(key, name);
  } catch (const std::exception&) {
  }
  try {
    if (opened) reg.closeKey(key);
  } catch (const std::exception&) {
  }
}

long DeleteRegTree(Registry& registry, HKey root, const std::string& subKey) {
  if (subKey.empty() || subKey[0] == '\\') return winerr::InvalidParameter;
  return registry.deleteTree(root, subKey);
}

}  // namespace erase
