#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace platform::win32 {

namespace {

::HKEY h(HKey key) { return reinterpret_cast<::HKEY>(key); }
HKey wrap(::HKEY key) { return reinterpret_cast<HKey>(key); }

// shlwapi is loaded on first use: the program starts even where it is missing.

}  // namespace

long Win32Registry::openKey(HKey root, const std::string& subKey, HKey* result) {
  ::HKEY key = nullptr;
  const LONG rc = RegOpenKeyA(h(root), subKey.c_str(), &key);
  if (rc == ERROR_SUCCESS) *result = wrap(key);
  return rc;
}

long Win32Registry::openKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result) {
  ::HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(h(root), subKey.c_str(), 0, access, &key);
  if (rc == ERROR_SUCCESS) *result = wrap(key);
  return rc;
}

long Win32Registry::openKeyAsLink(HKey root, const std::string& subKey, uint32_t access, HKey* result) {
  ::HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(h(root), subKey.c_str(), REG_OPTION_OPEN_LINK, access, &key);
  // Windows 95, 98 and ME know no links, and may refuse an option they do not know.
  if (rc == ERROR_INVALID_PARAMETER) rc = RegOpenKeyExA(h(root), subKey.c_str(), 0, access, &key);
  if (rc == ERROR_SUCCESS) *result = wrap(key);
  return rc;
}

long Win32Registry::createKey(HKey root, const std::string& subKey, HKey* result) {
  ::HKEY key = nullptr;
  const LONG rc = RegCreateKeyA(h(root), subKey.c_str(), &key);
  if (rc == ERROR_SUCCESS) *result = wrap(key);
  return rc;
}

long Win32Registry::createKeyEx(HKey root, const std::string& subKey, uint32_t access, HKey* result,
                                uint32_t* disposition) {
  ::HKEY key = nullptr;
  DWORD how = 0;
  const LONG rc = RegCreateKeyExA(h(root), subKey.c_str(), 0, nullptr, 0, access, nullptr, &key, &how);
  if (rc == ERROR_SUCCESS) {
    *result = wrap(key);
    if (disposition) *disposition = how;
  }
  return rc;
}

long Win32Registry::queryValue(HKey key, const std::string& name, uint32_t* type, uint8_t* data, uint32_t* size) {
  DWORD t = 0, s = size ? *size : 0;
  const LONG rc = RegQueryValueExA(h(key), name.c_str(), nullptr, &t, data, size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long Win32Registry::enumValue(HKey key, uint32_t index, std::string* name, uint32_t* type,
                              std::vector<uint8_t>* data) {
  DWORD maxName = 0, maxData = 0;
  LONG rc = RegQueryInfoKeyA(h(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                             &maxData, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::string nameBuffer(maxName + 2, '\0');
    std::vector<uint8_t> dataBuffer(maxData + 2);
    DWORD nameLength = static_cast<DWORD>(nameBuffer.size()), dataLength = static_cast<DWORD>(dataBuffer.size());
    DWORD t = 0;
    rc = RegEnumValueA(h(key), index, &nameBuffer[0], &nameLength, nullptr, &t, dataBuffer.data(), &dataLength);
    if (rc == ERROR_MORE_DATA) {  // the value grew meanwhile
      maxName = maxName * 2 + 256;
      maxData = dataLength > maxData ? dataLength : maxData * 2 + 256;
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    if (name) *name = nameBuffer.substr(0, nameLength);
    if (type) *type = t;
    if (data) data->assign(dataBuffer.begin(), dataBuffer.begin() + dataLength);
    return rc;
  }
  return rc;
}

long Win32Registry::enumKey(HKey key, uint32_t index, std::string* name) {
  char buffer[MAX_PATH + 1] = {};
  const LONG rc = RegEnumKeyA(h(key), index, buffer, sizeof buffer);
  if (rc == ERROR_SUCCESS && name) *name = buffer;
  return rc;
}

long Win32Registry::setValue(HKey key, const std::string& name, uint32_t type, const uint8_t* data, uint32_t size) {
  static const BYTE nothing = 0;
  return RegSetValueExA(h(key), name.c_str(), 0, type, data ? data : &nothing, size);
}

long Win32Registry::deleteValue(HKey key, const std::string& name) { return RegDeleteValueA(h(key), name.c_str()); }

long Win32Registry::deleteKey(HKey key, const std::string& subKey) { return RegDeleteKeyA(h(key), subKey.c_str()); }

long Win32Registry::closeKey(HKey key) { return RegCloseKey(h(key)); }

}  // namespace platform::win32
