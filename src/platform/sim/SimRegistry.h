#pragma once
// An in-memory registry with Windows' value semantics: case-insensitive, case-preserving
// names, values kept as the exact bytes given, enumeration in insertion order, handles
// that fail once their key is deleted, and faults that tests can inject.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform::sim {

class SimRegistry : public Registry {
 public:
  SimRegistry();
  ~SimRegistry() override;

  long openKey(HKey root, const std::string& subKey, HKey* result) override;
  long openKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result) override;
  long openKeyAsLink(HKey root, const std::string& subKey, uint32_t access, HKey* result) override;
  long createKey(HKey root, const std::string& subKey, HKey* result) override;
  long createKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result,
                   uint32_t* disposition) override;
  long queryValue(HKey key, const std::string& name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long enumValue(HKey key, uint32_t index, std::string* name, uint32_t* type,
                 std::vector<uint8_t>* data) override;
  long enumKey(HKey key, uint32_t index, std::string* name) override;
  long setValue(HKey key, const std::string& name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long deleteValue(HKey key, const std::string& name) override;
  long deleteKey(HKey key, const std::string& subKey) override;
  long closeKey(HKey key) override;

  // Seeding and inspection for tests; `path` is below one of the predefined roots.
  void set(HKey root, const std::string& path, const std::string& name, uint32_t type,
           const std::vector<uint8_t>& bytes);
  void setString(HKey root, const std::string& path, const std::string& name, const std::string& text);
  void setDword(HKey root, const std::string& path, const std::string& name, uint32_t value);
  bool exists(HKey root, const std::string& path) const;
  bool exists(HKey root, const std::string& path, const std::string& name) const;
  // False when the value is missing.
  bool get(HKey root, const std::string& path, const std::string& name, uint32_t* type,
           std::vector<uint8_t>* bytes) const;
  std::string getString(HKey root, const std::string& path, const std::string& name) const;
  std::vector<std::string> valueNames(HKey root, const std::string& path) const;
  std::vector<std::string> subKeyNames(HKey root, const std::string& path) const;

  // Faults: deleting the value (or a key holding it) is refused; opening or creating the
  // key is refused with access denied.
  void makeUndeletable(HKey root, const std::string& path, const std::string& name);
  void makeUnopenable(HKey root, const std::string& path);
  void makeUncreatable(HKey root, const std::string& path);

  // A registry link as Windows keeps one: a key made with REG_OPTION_CREATE_LINK whose
  // SymbolicLinkValue (REG_LINK, UTF-16) names the target by its full path, the current
  // user's hive as \REGISTRY\USER\<kUserSid>. Opening it, or a path through it, leads
  // to the target unless REG_OPTION_OPEN_LINK asks for the link itself.
  void makeLink(HKey root, const std::string& path, HKey targetRoot, const std::string& targetPath);
  static constexpr const char* kUserSid = "S-1-5-21-1004336348-1177238915-682003330-1000";

  size_t openHandles() const { return handles_.size(); }
  // For tests that compare the whole machine (SimSnapshot.cpp): every key and value.
  void capture(std::map<std::string, std::string>* state) const;
  // Every call as "Function(root-or-handle path, details)", for tests of exact calls.
  std::vector<std::string> calls;

 private:
  struct Value {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool undeletable = false;
  };
  struct Key {
    std::string name;
    Key* parent = nullptr;
    std::vector<std::shared_ptr<Key>> subKeys;  // insertion order
    std::vector<Value> values;                  // insertion order
    bool deleted = false;
    bool link = false;  // made with REG_OPTION_CREATE_LINK
  };
  struct Handle {
    std::shared_ptr<Key> key;
    uint32_t access;
  };

  long resolveHandle(HKey key, std::shared_ptr<Key>* out, uint32_t* access = nullptr) const;
  // Follows links on the way, and at the end too unless `followLast` is false.
  std::shared_ptr<Key> find(const std::shared_ptr<Key>& from, const std::string& path, bool followLast = true,
                            int depth = 0) const;
  std::shared_ptr<Key> linkTarget(const Key& link, int depth) const;
  std::shared_ptr<Key> findOrMake(HKey root, const std::string& path);
  std::shared_ptr<Key> rootKey(HKey root) const;
  long open(HKey root, const std::string& subKey, uint32_t access, HKey* result, bool followLast = true);
  long create(HKey root, const std::string& subKey, uint32_t access, HKey* result, uint32_t* disposition);
  HKey newHandle(const std::shared_ptr<Key>& key, uint32_t access);
  Value* findValue(Key& key, const std::string& name);
  const Value* findValue(const Key& key, const std::string& name) const;
  std::string describe(HKey key) const;

  std::string pathOf(const Key& key) const;  // upper-cased full path, for the fault sets
  std::string pathOf(HKey root, const std::string& path) const;

  std::map<HKey, std::shared_ptr<Key>> roots_;
  std::set<std::string> unopenable_, uncreatable_;
  std::map<HKey, Handle> handles_;
  HKey nextHandle_ = 0x1000;
};

}  // namespace platform::sim
