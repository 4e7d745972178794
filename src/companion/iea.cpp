// iea.exe: started with "1", deletes Internet Explorer's AutoComplete form entries from the
// user's Protected Storage. Where the store does not exist (later Windows, or a system
// without pstorec.dll) it exits quietly; any other parameter does nothing.
#ifdef _WIN32
#include <windows.h>
#include <pstore.h>

#include <string>
#include <vector>

#include "companion/FormEntries.h"

namespace {

// Internet Explorer's AutoComplete type and subtype in Protected Storage.
const GUID kAutoCompleteType = {0xE161255A, 0x37C3, 0x11D2, {0xBC, 0xAA, 0x00, 0xC0, 0x4F, 0xD9, 0x29, 0xDB}};

using CreateInstance = HRESULT(WINAPI*)(IPStore**, PST_PROVIDERID*, void*, DWORD);

// Exit codes: 0 done (or nothing to do), 1 no Protected Storage, 2 the store refused.
int deleteFormEntries() {
  HMODULE library = LoadLibraryA("pstorec.dll");
  if (!library) return 1;
  auto create = reinterpret_cast<CreateInstance>(reinterpret_cast<void*>(GetProcAddress(library, "PStoreCreateInstance")));
  IPStore* store = nullptr;
  if (!create || FAILED(create(&store, nullptr, nullptr, 0)) || !store) {
    FreeLibrary(library);
    return 1;
  }
  int result = 0;
  IEnumPStoreTypes* subtypes = nullptr;
  if (SUCCEEDED(store->EnumSubtypes(PST_KEY_CURRENT_USER, &kAutoCompleteType, 0, &subtypes)) && subtypes) {
    GUID subtype;
    DWORD fetched = 0;
    while (subtypes->Next(1, &subtype, &fetched) == S_OK && fetched == 1) {
      // Names first, deletions after: the enumerator need not survive changes under it.
      std::vector<std::u16string> names;
      IEnumPStoreItems* items = nullptr;
      if (SUCCEEDED(store->EnumItems(PST_KEY_CURRENT_USER, &kAutoCompleteType, &subtype, 0, &items)) && items) {
        LPWSTR name = nullptr;
        DWORD got = 0;
        while (items->Next(1, &name, &got) == S_OK && got == 1) {
          if (name) {
            names.emplace_back(reinterpret_cast<const char16_t*>(name));
            CoTaskMemFree(name);
          }
          name = nullptr;
        }
        items->Release();
      }
      for (const std::u16string& n : names) {
        if (!companion::IsFormEntry(n)) continue;
        if (FAILED(store->DeleteItem(PST_KEY_CURRENT_USER, &kAutoCompleteType, &subtype,
                                     reinterpret_cast<LPCWSTR>(n.c_str()), nullptr, 0)))
          result = 2;
      }
    }
    subtypes->Release();
  }
  store->Release();
  FreeLibrary(library);
  return result;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  std::string parameter = commandLine ? commandLine : "";
  while (!parameter.empty() && parameter.back() == ' ') parameter.pop_back();
  while (!parameter.empty() && parameter.front() == ' ') parameter.erase(0, 1);
  if (parameter != "1") return 0;
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  const int result = deleteFormEntries();
  if (com) CoUninitialize();
  return result;
}
#endif
