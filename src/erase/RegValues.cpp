#include "erase/RegValues.h"

#include "engine/RunContext.h"
#include "erase/Plan.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

std::string ReadRegString(const engine::RunContext& run, HKey root, const std::string& subKey,
                          const std::string& name) {
  Registry& reg = run.os.registry;
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

std::string RegistryTarget(HKey root, const std::string& subKey, const std::string& name) {
  const char* rootName = root == hkey::CurrentUser    ? "HKEY_CURRENT_USER"
                         : root == hkey::LocalMachine ? "HKEY_LOCAL_MACHINE"
                         : root == hkey::ClassesRoot  ? "HKEY_CLASSES_ROOT"
                         : root == hkey::Users        ? "HKEY_USERS"
                                                      : "HKEY";
  std::string target = std::string(rootName) + "\\" + subKey;
  if (!name.empty()) target += "\\" + name;
  return target;
}

std::string describeRegistryError(long error) {
  return error == winerr::AccessDenied ? "Permission denied" : "Registry error " + std::to_string(error);
}

void WriteRegValue(const engine::RunContext& run, HKey root, const std::string& subKey, const std::string& name,
                   const std::string& text, uint32_t type) {
  const bool stores = type == regtype::String || type == regtype::Binary;
  const std::string target = RegistryTarget(root, subKey, name);
  if (erase::collecting(run.flags)) {
    if (stores) record(run.flags, TargetKind::Setting, target, text.size(), Outcome::Planned);
    return;
  }
  Registry& reg = run.os.registry;
  HKey key = 0;
  bool opened = false;
  long rc = winerr::InvalidHandle;
  try {
    opened = reg.openKeyEx(root, subKey, regaccess::AllAccess, &key) == winerr::Success;
    if (!opened) opened = reg.createKeyEx(root, subKey, regaccess::AllAccess, &key, nullptr) == winerr::Success;
    if (!opened) rc = reg.createKey(root, subKey, &key);
    opened = opened || rc == winerr::Success;
    if (opened && stores)
      rc = reg.setValue(key, name, type, reinterpret_cast<const uint8_t*>(text.data()),
                        static_cast<uint32_t>(text.size()));
  } catch (const std::exception&) {
  }
  try {
    if (opened) reg.closeKey(key);
  } catch (const std::exception&) {
  }
  if (!stores) return;
  if (rc == winerr::Success)
    record(run.flags, TargetKind::Setting, target, text.size(), Outcome::Removed);
  else
    record(run.flags, TargetKind::Setting, target, text.size(), Outcome::Failed, describeRegistryError(rc));
}

void DeleteRegValue(const engine::RunContext& run, HKey root, const std::string& subKey, const std::string& name) {
  Registry& reg = run.os.registry;
  HKey key = 0;
  bool opened = false;
  const std::string target = RegistryTarget(root, subKey, name);
  try {
    opened = reg.openKey(root, subKey, &key) == winerr::Success;
    uint32_t type = 0, size = 0;
    const bool present = opened && reg.queryValue(key, name, &type, nullptr, &size) == winerr::Success;
    if (erase::collecting(run.flags)) {
      if (present) record(run.flags, TargetKind::RegistryValue, target, size, Outcome::Planned);
    } else if (opened) {
      const long rc = reg.deleteValue(key, name);
      if (rc == winerr::Success)
        record(run.flags, TargetKind::RegistryValue, target, size, Outcome::Removed);
      else if (rc != winerr::FileNotFound)
        record(run.flags, TargetKind::RegistryValue, target, size, Outcome::Failed, describeRegistryError(rc));
    }
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

void DeleteRegTree(Registry& registry, engine::RunFlags& flags, HKey root, const std::string& subKey) {
  const std::string target = RegistryTarget(root, subKey);
  if (erase::collecting(flags)) return record(flags, TargetKind::RegistryKey, target, 0, Outcome::Planned);
  const long rc = DeleteRegTree(registry, root, subKey);
  if (rc == winerr::Success)
    record(flags, TargetKind::RegistryKey, target, 0, Outcome::Removed);
  else if (rc != winerr::FileNotFound)
    record(flags, TargetKind::RegistryKey, target, 0, Outcome::Failed, describeRegistryError(rc));
}

}  // namespace erase
