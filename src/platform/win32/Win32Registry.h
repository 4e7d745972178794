#pragma once
#include "platform/Registry.h"

namespace platform::win32 {

// The registry through advapi32's narrow calls.
class Win32Registry : public Registry {
 public:
  long openKey(HKey root, const std::string& subKey, HKey* result) override;
  long openKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result) override;
  long openKeyAsLink(HKey root, const std::string& subKey, uint32_t access, HKey* result) override;
  long createKey(HKey root, const std::string& subKey, HKey* result) override;
  long createKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result,
                   uint32_t* disposition) override;
  long queryValue(HKey key, const std::string& name, uint32_t* type, uint8_t* data, uint32_t* size) override;
  long enumValue(HKey key, uint32_t index, std::string* name, uint32_t* type, std::vector<uint8_t>* data) override;
  long enumKey(HKey key, uint32_t index, std::string* name) override;
  long setValue(HKey key, const std::string& name, uint32_t type, const uint8_t* data, uint32_t size) override;
  long deleteValue(HKey key, const std::string& name) override;
  long deleteKey(HKey key, const std::string& subKey) override;
  long closeKey(HKey key) override;
};

}  // namespace platform::win32
