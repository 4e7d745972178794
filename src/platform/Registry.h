#pragma once
// The registry as the program asks for it: the narrow (A) calls, one method per call,
// with Windows' result codes and value semantics.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using HKey = std::uintptr_t;

namespace hkey {
constexpr HKey ClassesRoot = 0x80000000u;
constexpr HKey CurrentUser = 0x80000001u;
constexpr HKey LocalMachine = 0x80000002u;
constexpr HKey Users = 0x80000003u;
}  // namespace hkey

namespace regtype {
constexpr uint32_t None = 0, String = 1, ExpandString = 2, Binary = 3, DWord = 4, Link = 6, MultiString = 7;
}

// The value that names where a registry link leads (REG_LINK, the target's full registry
// path): a key holding it is a link.
constexpr char kSymbolicLinkValue[] = "SymbolicLinkValue";

namespace regaccess {
constexpr uint32_t QueryValue = 0x1, SetValue = 0x2, CreateSubKey = 0x4, EnumerateSubKeys = 0x8;
constexpr uint32_t Read = 0x20019, Write = 0x20006, AllAccess = 0xF003F;
}  // namespace regaccess

class Registry {
 public:
  virtual ~Registry() = default;
  // RegOpenKeyA: opens an existing key; an empty sub-key opens the root itself.
  virtual long openKey(HKey root, const std::string& subKey, HKey* result) = 0;
  // RegOpenKeyExA
  virtual long openKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result) = 0;
  // RegOpenKeyExA with REG_OPTION_OPEN_LINK: a key that is a registry link opens as the link
  // itself, not the key it leads to (links on the way to it are still followed).
  virtual long openKeyAsLink(HKey root, const std::string& subKey, uint32_t access, HKey* result) = 0;
  // RegCreateKeyA: opens or creates, with every missing parent.
  virtual long createKey(HKey root, const std::string& subKey, HKey* result) = 0;
  // RegCreateKeyExA; disposition may be null (1 created, 2 opened).
  virtual long createKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result,
                           uint32_t* disposition) = 0;
  // RegQueryValueExA. With data null only type and size are reported. *size is the buffer
  // capacity on entry and the stored size on return; a short buffer gives ERROR_MORE_DATA.
  virtual long queryValue(HKey key, const std::string& name, uint32_t* type, uint8_t* data,
                          uint32_t* size) = 0;
  // RegEnumValueA: the value at an index, in the key's order.
  virtual long enumValue(HKey key, uint32_t index, std::string* name, uint32_t* type,
                         std::vector<uint8_t>* data) = 0;
  // RegEnumKeyA
  virtual long enumKey(HKey key, uint32_t index, std::string* name) = 0;
  // RegSetValueExA: stores exactly `size` bytes, whatever the type.
  virtual long setValue(HKey key, const std::string& name, uint32_t type, const uint8_t* data,
                        uint32_t size) = 0;
  virtual long deleteValue(HKey key, const std::string& name) = 0;  // RegDeleteValueA
  virtual long deleteKey(HKey key, const std::string& subKey) = 0;  // RegDeleteKeyA
  virtual long closeKey(HKey key) = 0;                              // RegCloseKey
};

}  // namespace platform
