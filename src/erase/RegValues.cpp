#include "erase/RegValues.h"

#include "erase/Plan.h"
#include "erase/RegKeyPath.h"
#include "erase/RunContext.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

std::string ReadRegString(const erase::RunContext& run, HKey root, const std::string& subKey,
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

void WriteRegValue(const erase::RunContext& run, HKey root, const std::string& subKey, const std::string& name,
                   const std::string& text, uint32_t type) {
  if (type != regtype::String && type != regtype::Binary) return;
  const std::string target = RegistryTarget(root, subKey, name);
  const bool onlyCollecting = erase::collecting(run.flags);
  Registry& reg = run.os.registry;
  Outcome outcome = Outcome::Failed;
  std::string reason;
  try {
    // While the run collects, a missing key is not made: the key is only looked at.
    const HeldKeyPath path(reg, root, subKey, regaccess::SetValue, !onlyCollecting);
    if (path.reach() == KeyReach::Linked) {
      outcome = Outcome::Refused;
      reason = kRegistryLinkReason;
    } else if (onlyCollecting) {
      outcome = Outcome::Planned;
    } else if (path.reach() != KeyReach::Held) {
      reason = describeRegistryError(path.error());
    } else {
      const long rc = reg.setValue(path.key(), name, type, reinterpret_cast<const uint8_t*>(text.data()),
                                   static_cast<uint32_t>(text.size()));
      if (rc == winerr::Success) outcome = Outcome::Removed;
      else reason = describeRegistryError(rc);
    }
  } catch (const std::exception& e) {
    reason = e.what();
  }
  record(run.flags, TargetKind::Setting, target, text.size(), outcome, reason);
}

void DeleteRegValue(const erase::RunContext& run, HKey root, const std::string& subKey, const std::string& name) {
  Registry& reg = run.os.registry;
  const std::string target = RegistryTarget(root, subKey, name);
  try {
    const HeldKeyPath path(reg, root, subKey, regaccess::SetValue);
    if (path.reach() == KeyReach::Linked)
      return record(run.flags, TargetKind::RegistryValue, target, 0, Outcome::Refused, kRegistryLinkReason);
    if (path.reach() != KeyReach::Held) return;
    uint32_t type = 0, size = 0;
    if (reg.queryValue(path.key(), name, &type, nullptr, &size) != winerr::Success) return;
    if (erase::collecting(run.flags))
      return record(run.flags, TargetKind::RegistryValue, target, size, Outcome::Planned);
    const long rc = reg.deleteValue(path.key(), name);
    if (rc == winerr::Success)
      record(run.flags, TargetKind::RegistryValue, target, size, Outcome::Removed);
    else if (rc != winerr::FileNotFound)
      record(run.flags, TargetKind::RegistryValue, target, size, Outcome::Failed, describeRegistryError(rc));
  } catch (const std::exception&) {
  }
}

}  // namespace erase
