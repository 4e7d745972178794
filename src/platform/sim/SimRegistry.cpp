#include "platform/sim/SimRegistry.h"

#include <cstdio>

#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace platform::sim {

namespace {

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && platform::upperCased(a) == platform::upperCased(b);
}

std::vector<std::string> split(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

std::string hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", v);
  return buf;
}

std::string joined(const std::string& base, const std::string& sub) {
  return sub.empty() ? base : base + "\\" + sub;
}

// RegOpenKeyA and RegCreateKeyA ask for whatever the caller may have.
constexpr uint32_t kMaximumAllowed = regaccess::AllAccess;

}  // namespace

SimRegistry::SimRegistry() {
  const std::pair<HKey, const char*> names[] = {{hkey::ClassesRoot, "HKEY_CLASSES_ROOT"},
                                                {hkey::CurrentUser, "HKEY_CURRENT_USER"},
                                                {hkey::LocalMachine, "HKEY_LOCAL_MACHINE"},
                                                {hkey::Users, "HKEY_USERS"}};
  for (const auto& [root, name] : names) {
    auto key = std::make_shared<Key>();
    key->name = name;
    roots_[root] = key;
  }
}

SimRegistry::~SimRegistry() = default;

std::shared_ptr<SimRegistry::Key> SimRegistry::rootKey(HKey root) const {
  auto it = roots_.find(root);
  return it == roots_.end() ? nullptr : it->second;
}

long SimRegistry::resolveHandle(HKey key, std::shared_ptr<Key>* out, uint32_t* access) const {
  if (auto root = rootKey(key)) {
    *out = root;
    if (access) *access = regaccess::AllAccess;
    return winerr::Success;
  }
  auto it = handles_.find(key);
  if (it == handles_.end()) return winerr::InvalidHandle;
  if (it->second.key->deleted) return winerr::KeyDeleted;
  *out = it->second.key;
  if (access) *access = it->second.access;
  return winerr::Success;
}

std::shared_ptr<SimRegistry::Key> SimRegistry::find(const std::shared_ptr<Key>& from, const std::string& path,
                                                    bool followLast, int depth) const {
  std::shared_ptr<Key> key = from;
  const std::vector<std::string> parts = split(path);
  for (size_t i = 0; i < parts.size() && key; ++i) {
    std::shared_ptr<Key> next;
    for (const auto& sub : key->subKeys)
      if (sameName(sub->name, parts[i])) next = sub;
    if (next && next->link && (followLast || i + 1 < parts.size())) next = linkTarget(*next, depth + 1);
    key = next;
  }
  return key;
}

// Windows gives up on a chain of links after a few steps; so does the simulation.
std::shared_ptr<SimRegistry::Key> SimRegistry::linkTarget(const Key& link, int depth) const {
  const Value* value = findValue(link, kSymbolicLinkValue);
  if (depth > 16 || !value || value->type != regtype::Link) return nullptr;
  std::string target;
  for (size_t i = 0; i + 1 < value->data.size(); i += 2) target += static_cast<char>(value->data[i]);
  const std::string user = std::string("\\REGISTRY\\USER\\") + kUserSid, machine = "\\REGISTRY\\MACHINE";
  const std::string upperTarget = platform::upperCased(target);
  if (upperTarget.rfind(platform::upperCased(user), 0) == 0)
    return find(rootKey(hkey::CurrentUser), target.substr(user.size()), true, depth);
  if (upperTarget.rfind(machine, 0) == 0)
    return find(rootKey(hkey::LocalMachine), target.substr(machine.size()), true, depth);
  return nullptr;
}

std::string SimRegistry::pathOf(const Key& key) const {
  return key.parent ? pathOf(*key.parent) + "\\" + platform::upperCased(key.name) : platform::upperCased(key.name);
}

std::string SimRegistry::pathOf(HKey root, const std::string& path) const {
  std::string out = pathOf(*rootKey(root));
  for (const std::string& part : split(path)) out += "\\" + platform::upperCased(part);
  return out;
}

std::string SimRegistry::describe(HKey key) const {
  std::shared_ptr<Key> k;
  if (auto root = rootKey(key)) return root->name;
  auto it = handles_.find(key);
  if (it == handles_.end()) return "<invalid>";
  std::string path;
  for (const Key* p = it->second.key.get(); p; p = p->parent) path = p->name + (path.empty() ? "" : "\\" + path);
  return path;
}

HKey SimRegistry::newHandle(const std::shared_ptr<Key>& key, uint32_t access) {
  const HKey h = nextHandle_;
  nextHandle_ += 4;
  handles_[h] = Handle{key, access};
  return h;
}

SimRegistry::Value* SimRegistry::findValue(Key& key, const std::string& name) {
  for (Value& v : key.values)
    if (sameName(v.name, name)) return &v;
  return nullptr;
}

const SimRegistry::Value* SimRegistry::findValue(const Key& key, const std::string& name) const {
  for (const Value& v : key.values)
    if (sameName(v.name, name)) return &v;
  return nullptr;
}

long SimRegistry::open(HKey root, const std::string& subKey, uint32_t access, HKey* result, bool followLast) {
  if (!result) return winerr::InvalidParameter;
  std::shared_ptr<Key> base;
  if (long rc = resolveHandle(root, &base)) return rc;
  std::shared_ptr<Key> key = find(base, subKey, followLast);
  if (!key) return winerr::FileNotFound;
  if (unopenable_.count(pathOf(*key))) return winerr::AccessDenied;
  *result = newHandle(key, access);
  return winerr::Success;
}

long SimRegistry::create(HKey root, const std::string& subKey, uint32_t access, HKey* result,
                         uint32_t* disposition) {
  if (!result) return winerr::InvalidParameter;
  std::shared_ptr<Key> key;
  uint32_t baseAccess = 0;
  if (long rc = resolveHandle(root, &key, &baseAccess)) return rc;
  bool created = false;
  for (const std::string& part : split(subKey)) {
    std::shared_ptr<Key> next;
    for (const auto& sub : key->subKeys)
      if (sameName(sub->name, part)) next = sub;
    // RegCreateKey, like RegOpenKey, goes on into the key a link leads to.
    if (next && next->link && !(next = linkTarget(*next, 1))) return winerr::FileNotFound;
    if (!next) {
      if (!created && !(baseAccess & regaccess::CreateSubKey)) return winerr::AccessDenied;
      next = std::make_shared<Key>();
      next->name = part;
      next->parent = key.get();
      if (uncreatable_.count(pathOf(*next))) return winerr::AccessDenied;
      key->subKeys.push_back(next);
      created = true;
    }
    key = next;
  }
  if (unopenable_.count(pathOf(*key))) return winerr::AccessDenied;
  *result = newHandle(key, access);
  if (disposition) *disposition = created ? 1 : 2;
  return winerr::Success;
}

long SimRegistry::openKey(HKey root, const std::string& subKey, HKey* result) {
  calls.push_back("RegOpenKeyA " + joined(describe(root), subKey));
  return open(root, subKey, kMaximumAllowed, result);
}

long SimRegistry::openKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result) {
  calls.push_back("RegOpenKeyExA " + joined(describe(root), subKey) + " " + hex(access));
  return open(root, subKey, access, result);
}

long SimRegistry::openKeyAsLink(HKey root, const std::string& subKey, uint32_t access, HKey* result) {
  calls.push_back("RegOpenKeyExA " + joined(describe(root), subKey) + " " + hex(access) + " REG_OPTION_OPEN_LINK");
  return open(root, subKey, access, result, false);
}

long SimRegistry::createKey(HKey root, const std::string& subKey, HKey* result) {
  calls.push_back("RegCreateKeyA " + joined(describe(root), subKey));
  return create(root, subKey, kMaximumAllowed, result, nullptr);
}

long SimRegistry::createKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result,
                              uint32_t* disposition) {
  calls.push_back("RegCreateKeyExA " + joined(describe(root), subKey) + " " + hex(access));
  return create(root, subKey, access, result, disposition);
}

long SimRegistry::queryValue(HKey key, const std::string& name, uint32_t* type, uint8_t* data,
                             uint32_t* size) {
  calls.push_back("RegQueryValueExA " + describe(key) + " " + name + (data ? " data" : " size"));
  std::shared_ptr<Key> k;
  uint32_t access = 0;
  if (long rc = resolveHandle(key, &k, &access)) return rc;
  if (!(access & regaccess::QueryValue)) return winerr::AccessDenied;
  if (data && !size) return winerr::InvalidParameter;
  const Value* v = findValue(*k, name);
  if (!v) return winerr::FileNotFound;
  if (type) *type = v->type;
  const uint32_t stored = static_cast<uint32_t>(v->data.size());
  if (!data) {
    if (size) *size = stored;
    return winerr::Success;
  }
  if (*size < stored) {
    *size = stored;
    return winerr::MoreData;
  }
  std::copy(v->data.begin(), v->data.end(), data);
  *size = stored;
  return winerr::Success;
}

long SimRegistry::enumValue(HKey key, uint32_t index, std::string* name, uint32_t* type,
                            std::vector<uint8_t>* data) {
  calls.push_back("RegEnumValueA " + describe(key) + " " + std::to_string(index));
  std::shared_ptr<Key> k;
  uint32_t access = 0;
  if (long rc = resolveHandle(key, &k, &access)) return rc;
  if (!(access & regaccess::QueryValue)) return winerr::AccessDenied;
  if (index >= k->values.size()) return winerr::NoMoreItems;
  const Value& v = k->values[index];
  if (name) *name = v.name;
  if (type) *type = v.type;
  if (data) *data = v.data;
  return winerr::Success;
}

long SimRegistry::enumKey(HKey key, uint32_t index, std::string* name) {
  calls.push_back("RegEnumKeyA " + describe(key) + " " + std::to_string(index));
  std::shared_ptr<Key> k;
  uint32_t access = 0;
  if (long rc = resolveHandle(key, &k, &access)) return rc;
  if (!(access & regaccess::EnumerateSubKeys)) return winerr::AccessDenied;
  if (index >= k->subKeys.size()) return winerr::NoMoreItems;
  if (name) *name = k->subKeys[index]->name;
  return winerr::Success;
}

long SimRegistry::setValue(HKey key, const std::string& name, uint32_t type, const uint8_t* data,
                           uint32_t size) {
  calls.push_back("RegSetValueExA " + describe(key) + " " + name + " type=" + std::to_string(type) +
                  " size=" + std::to_string(size));
  std::shared_ptr<Key> k;
  uint32_t access = 0;
  if (long rc = resolveHandle(key, &k, &access)) return rc;
  if (!(access & regaccess::SetValue)) return winerr::AccessDenied;
  if (!data && size) return winerr::InvalidParameter;
  std::vector<uint8_t> bytes(data, data + size);
  if (Value* v = findValue(*k, name)) {
    v->type = type;
    v->data = std::move(bytes);
  } else {
    k->values.push_back(Value{name, type, std::move(bytes), false});
  }
  return winerr::Success;
}

long SimRegistry::deleteValue(HKey key, const std::string& name) {
  calls.push_back("RegDeleteValueA " + describe(key) + " " + name);
  std::shared_ptr<Key> k;
  uint32_t access = 0;
  if (long rc = resolveHandle(key, &k, &access)) return rc;
  if (!(access & regaccess::SetValue)) return winerr::AccessDenied;
  for (auto it = k->values.begin(); it != k->values.end(); ++it) {
    if (!sameName(it->name, name)) continue;
    if (it->undeletable) return winerr::AccessDenied;
    k->values.erase(it);
    return winerr::Success;
  }
  return winerr::FileNotFound;
}

namespace {
template <typename K>
bool holdsUndeletable(const K& key) {
  for (const auto& v : key.values)
    if (v.undeletable) return true;
  for (const auto& sub : key.subKeys)
    if (holdsUndeletable(*sub)) return true;
  return false;
}
template <typename K>
void markDeleted(K& key) {
  key.deleted = true;
  for (auto& sub : key.subKeys) markDeleted(*sub);
}
}  // namespace

long SimRegistry::deleteKey(HKey key, const std::string& subKey) {
  calls.push_back("RegDeleteKeyA " + joined(describe(key), subKey));
  std::shared_ptr<Key> base;
  if (long rc = resolveHandle(key, &base)) return rc;
  std::shared_ptr<Key> target = find(base, subKey);
  if (!target) return winerr::FileNotFound;
  if (!target->parent) return winerr::AccessDenied;  // a predefined root
  // Windows NT refuses a key that still has sub-keys.
  if (!target->subKeys.empty() || holdsUndeletable(*target)) return winerr::AccessDenied;
  auto& siblings = target->parent->subKeys;
  for (auto it = siblings.begin(); it != siblings.end(); ++it)
    if (*it == target) {
      siblings.erase(it);
      break;
    }
  markDeleted(*target);
  return winerr::Success;
}

long SimRegistry::closeKey(HKey key) {
  calls.push_back("RegCloseKey " + describe(key));
  if (rootKey(key)) return winerr::Success;
  return handles_.erase(key) ? winerr::Success : winerr::InvalidHandle;
}

std::shared_ptr<SimRegistry::Key> SimRegistry::findOrMake(HKey root, const std::string& path) {
  std::shared_ptr<Key> key = rootKey(root);
  for (const std::string& part : split(path)) {
    std::shared_ptr<Key> next;
    for (const auto& sub : key->subKeys)
      if (sameName(sub->name, part)) next = sub;
    if (!next) {
      next = std::make_shared<Key>();
      next->name = part;
      next->parent = key.get();
      key->subKeys.push_back(next);
    }
    key = next;
  }
  return key;
}

void SimRegistry::set(HKey root, const std::string& path, const std::string& name, uint32_t type,
                      const std::vector<uint8_t>& bytes) {
  std::shared_ptr<Key> key = findOrMake(root, path);
  if (Value* v = findValue(*key, name)) {
    v->type = type;
    v->data = bytes;
  } else {
    key->values.push_back(Value{name, type, bytes, false});
  }
}

void SimRegistry::setString(HKey root, const std::string& path, const std::string& name,
                            const std::string& text) {
  set(root, path, name, regtype::String, std::vector<uint8_t>(text.begin(), text.end()));
}

void SimRegistry::setDword(HKey root, const std::string& path, const std::string& name, uint32_t value) {
  set(root, path, name, regtype::DWord,
      {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
       static_cast<uint8_t>(value >> 24)});
}

bool SimRegistry::exists(HKey root, const std::string& path) const {
  return find(rootKey(root), path) != nullptr;
}

bool SimRegistry::exists(HKey root, const std::string& path, const std::string& name) const {
  auto key = find(rootKey(root), path);
  return key && findValue(*key, name);
}

bool SimRegistry::get(HKey root, const std::string& path, const std::string& name, uint32_t* type,
                      std::vector<uint8_t>* bytes) const {
  auto key = find(rootKey(root), path);
  const Value* v = key ? findValue(*key, name) : nullptr;
  if (!v) return false;
  if (type) *type = v->type;
  if (bytes) *bytes = v->data;
  return true;
}

std::string SimRegistry::getString(HKey root, const std::string& path, const std::string& name) const {
  std::vector<uint8_t> bytes;
  if (!get(root, path, name, nullptr, &bytes)) return {};
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> SimRegistry::valueNames(HKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (auto key = find(rootKey(root), path))
    for (const Value& v : key->values) names.push_back(v.name);
  return names;
}

std::vector<std::string> SimRegistry::subKeyNames(HKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (auto key = find(rootKey(root), path))
    for (const auto& sub : key->subKeys) names.push_back(sub->name);
  return names;
}

void SimRegistry::makeUndeletable(HKey root, const std::string& path, const std::string& name) {
  auto key = findOrMake(root, path);
  if (Value* v = findValue(*key, name)) v->undeletable = true;
}

void SimRegistry::makeUnopenable(HKey root, const std::string& path) { unopenable_.insert(pathOf(root, path)); }

void SimRegistry::makeUncreatable(HKey root, const std::string& path) { uncreatable_.insert(pathOf(root, path)); }

void SimRegistry::makeLink(HKey root, const std::string& path, HKey targetRoot, const std::string& targetPath) {
  std::shared_ptr<Key> key = findOrMake(root, path);
  key->link = true;
  const std::string target =
      (targetRoot == hkey::LocalMachine ? std::string("\\REGISTRY\\MACHINE") : std::string("\\REGISTRY\\USER\\") + kUserSid) +
      "\\" + targetPath;
  std::vector<uint8_t> utf16;  // no terminating zero, as Windows wants it
  for (char c : target) {
    utf16.push_back(static_cast<uint8_t>(c));
    utf16.push_back(0);
  }
  set(root, path, kSymbolicLinkValue, regtype::Link, utf16);
}

}  // namespace platform::sim
