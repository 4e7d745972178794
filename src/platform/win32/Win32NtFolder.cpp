// Held folders on the NT family: the walk below a folder goes through handles only.
// Entries are listed through the held folder's handle (NtQueryDirectoryFile) and opened
// relative to it (NtCreateFile with the folder as root directory and FILE_OPEN_REPARSE_POINT,
// so a link is opened as itself). Checks read the entry's own handle, and the entry is
// deleted through that handle (FileDispositionInformation): a drive letter redefined or a
// junction above re-pointed while the walk yields changes nothing it reaches. Relative
// names are single components, so depth no longer matters either.
#include "platform/win32/Win32NtFolder.h"

#include <map>

#include "platform/WinError.h"
#include "platform/win32/NtApi.h"
#include "platform/win32/Win32OpenFile.h"

namespace platform::win32 {

namespace nt {

const Api& api() {
  static const Api loaded = [] {
    Api a;
    if (HMODULE ntdll = GetModuleHandleA("ntdll.dll")) {
      a.createFile = reinterpret_cast<CreateFileFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtCreateFile")));
      a.queryDirectoryFile = reinterpret_cast<QueryDirectoryFileFn>(
          reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryDirectoryFile")));
      a.setInformationFile = reinterpret_cast<SetInformationFileFn>(
          reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetInformationFile")));
      a.queryInformationFile = reinterpret_cast<QueryInformationFileFn>(
          reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationFile")));
      a.statusToDosError = reinterpret_cast<StatusToDosErrorFn>(
          reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlNtStatusToDosError")));
    }
    return a;
  }();
  return loaded;
}

}  // namespace nt

namespace {

constexpr DWORD kClearable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr ACCESS_MASK kFolderAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr ACCESS_MASK kRemoval = DELETE | FILE_WRITE_ATTRIBUTES;

std::wstring wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::string narrow(const WCHAR* text, size_t chars) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(chars), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(chars), &out[0], n, nullptr, nullptr);
  return out;
}

uint64_t time64(const LARGE_INTEGER& t) { return static_cast<uint64_t>(t.QuadPart); }

// Opens `name` relative to `folder` as itself (a link is not followed). NT 4 knows no
// reparse points and may refuse the option.
nt::Status openRelative(HANDLE folder, const std::wstring& name, ACCESS_MASK access, ULONG share, ULONG options,
                        HANDLE* out) {
  const nt::Api& a = nt::api();
  nt::UnicodeString objectName{static_cast<USHORT>(name.size() * sizeof(WCHAR)),
                               static_cast<USHORT>(name.size() * sizeof(WCHAR)), const_cast<WCHAR*>(name.c_str())};
  nt::ObjectAttributes attributes{sizeof(nt::ObjectAttributes), folder, &objectName, nt::kObjCaseInsensitive,
                                  nullptr, nullptr};
  nt::IoStatusBlock io{};
  const ULONG fixed = nt::kSynchronousIoNonAlert | nt::kOpenForBackupIntent;
  nt::Status status = a.createFile(out, access, &attributes, &io, nullptr, 0, share, nt::kFileOpen,
                                   options | fixed | nt::kOpenReparsePoint, nullptr, 0);
  if (status == nt::kInvalidParameter)
    status = a.createFile(out, access, &attributes, &io, nullptr, 0, share, nt::kFileOpen, options | fixed, nullptr, 0);
  return status;
}

// Creates `name` relative to `folder`; FILE_CREATE fails on any entry of that name, a link
// included, so nothing already there is opened.
nt::Status createRelative(HANDLE folder, const std::wstring& name, ACCESS_MASK access, HANDLE* out) {
  nt::UnicodeString objectName{static_cast<USHORT>(name.size() * sizeof(WCHAR)),
                               static_cast<USHORT>(name.size() * sizeof(WCHAR)), const_cast<WCHAR*>(name.c_str())};
  nt::ObjectAttributes attributes{sizeof(nt::ObjectAttributes), folder, &objectName, nt::kObjCaseInsensitive,
                                  nullptr, nullptr};
  nt::IoStatusBlock io{};
  return nt::api().createFile(out, access, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, 0, nt::kFileCreate,
                              nt::kNonDirectoryFile | nt::kSynchronousIoNonAlert, nullptr, 0);
}

long setAttributesThrough(HANDLE handle, DWORD attributes) {
  nt::BasicInformation basic{};
  basic.fileAttributes = attributes;
  nt::IoStatusBlock io{};
  const nt::Status status = nt::api().setInformationFile(handle, &io, &basic, sizeof basic, nt::FileBasicInformation);
  return status >= 0 ? winerr::Success : nt::api().error(status);
}

long deleteThrough(HANDLE handle) {
  nt::DispositionInformation disposition{TRUE};
  nt::IoStatusBlock io{};
  const nt::Status status =
      nt::api().setInformationFile(handle, &io, &disposition, sizeof disposition, nt::FileDispositionInformation);
  return status >= 0 ? winerr::Success : nt::api().error(status);
}

// Read-only, hidden and system cleared through the handle when the rules ask for it.
long clearThrough(HANDLE handle, DWORD attributes, bool clearAttributes) {
  if (!clearAttributes || !(attributes & kClearable)) return winerr::Success;
  const DWORD kept = attributes & ~(kClearable | FILE_ATTRIBUTE_DIRECTORY);
  return setAttributesThrough(handle, kept ? kept : FILE_ATTRIBUTE_NORMAL);
}

// An entry's identity from the handle alone. GetFileInformationByHandle asks for the
// volume too, which costs more than the deletion itself (under Wine a request to the mount
// manager per file); an entry opened as itself below a held folder is on that folder's
// volume, whose serial the folder knows.
long entryIdentityOf(HANDLE handle, uint32_t volumeSerial, FileIdentity* identity) {
  const nt::Api& a = nt::api();
  nt::IoStatusBlock io{};
  nt::BasicInformation basic{};
  nt::StandardInformation standard{};
  nt::InternalInformation internal{};
  nt::Status status = a.queryInformationFile(handle, &io, &basic, sizeof basic, nt::FileBasicInformation);
  if (status >= 0) status = a.queryInformationFile(handle, &io, &standard, sizeof standard, nt::FileStandardInformation);
  if (status >= 0) status = a.queryInformationFile(handle, &io, &internal, sizeof internal, nt::FileInternalInformation);
  if (status < 0) return a.error(status);
  identity->attributes = basic.fileAttributes;
  identity->volumeSerial = volumeSerial;
  identity->fileIndex = static_cast<uint64_t>(internal.indexNumber.QuadPart);
  identity->links = standard.numberOfLinks;
  identity->size = static_cast<uint64_t>(standard.endOfFile.QuadPart);
  identity->known = true;
  return winerr::Success;
}

// The attributes alone, for what a removal checks: one request, where the identity is three.
long attributesOf(HANDLE handle, DWORD* attributes) {
  nt::IoStatusBlock io{};
  nt::BasicInformation basic{};
  const nt::Status status = nt::api().queryInformationFile(handle, &io, &basic, sizeof basic, nt::FileBasicInformation);
  if (status < 0) return nt::api().error(status);
  *attributes = basic.fileAttributes;
  return winerr::Success;
}

}  // namespace

bool identityOf(HANDLE handle, FileIdentity* identity) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return false;
  identity->attributes = info.dwFileAttributes;
  identity->volumeSerial = info.dwVolumeSerialNumber;
  identity->fileIndex = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  identity->links = info.nNumberOfLinks;
  identity->size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  identity->known = true;
  return true;
}

long fileIndexOf(HANDLE handle, uint64_t* index) {
  const nt::Api& a = nt::api();
  if (!a.complete()) return ERROR_CALL_NOT_IMPLEMENTED;
  nt::IoStatusBlock io{};
  nt::InternalInformation internal{};
  const nt::Status status = a.queryInformationFile(handle, &io, &internal, sizeof internal, nt::FileInternalInformation);
  if (status < 0) return a.error(status);
  *index = static_cast<uint64_t>(internal.indexNumber.QuadPart);
  return winerr::Success;
}

NtHeldFolder::NtHeldFolder(HANDLE handle, uint32_t volumeSerial) : handle_(handle), volumeSerial_(volumeSerial) {}

NtHeldFolder::~NtHeldFolder() {
  if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) CloseHandle(handle_);
}

long NtHeldFolder::list(std::vector<FindData>* out) {
  out->clear();
  names_.clear();
  const nt::Api& a = nt::api();
  if (!a.complete()) return ERROR_CALL_NOT_IMPLEMENTED;
  // Wine reads a folder's entries once per handle, and a restarted scan misses what was
  // made since: each listing goes through a handle of its own, this very folder opened
  // again relative to the held one (an empty name), sharing everything.
  HANDLE lister = INVALID_HANDLE_VALUE;
  if (openRelative(handle_, std::wstring(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nt::kDirectoryFile, &lister) < 0)
    lister = INVALID_HANDLE_VALUE;
  const NtHeldFolder closer(lister, volumeSerial_);
  HANDLE listed = lister != INVALID_HANDLE_VALUE ? lister : handle_;
  std::vector<char> buffer(64 * 1024);
  for (BOOLEAN restart = TRUE;; restart = FALSE) {
    nt::IoStatusBlock io{};
    const nt::Status status =
        a.queryDirectoryFile(listed, nullptr, nullptr, nullptr, &io, buffer.data(), static_cast<ULONG>(buffer.size()),
                             nt::FileBothDirectoryInformation, FALSE, nullptr, restart);
    if (status == nt::kNoMoreFiles) return winerr::Success;
    if (status < 0) return a.error(status);
    for (size_t at = 0;;) {
      const auto* info = reinterpret_cast<const nt::BothDirInformation*>(buffer.data() + at);
      const std::wstring name(info->fileName, info->fileNameLength / sizeof(WCHAR));
      if (name != L"." && name != L"..") {
        FindData entry;
        entry.name = narrow(name.data(), name.size());
        entry.shortName = narrow(info->shortName, static_cast<size_t>(info->shortNameLength) / sizeof(WCHAR));
        entry.attributes = info->fileAttributes;
        entry.size = static_cast<uint64_t>(info->endOfFile.QuadPart);
        entry.creationTime = time64(info->creationTime);
        entry.lastWriteTime = time64(info->lastWriteTime);
        names_[entry.name] = name;
        out->push_back(std::move(entry));
      }
      if (info->nextEntryOffset == 0) break;
      at += info->nextEntryOffset;
    }
  }
}

std::wstring NtHeldFolder::wideName(const std::string& name) const {
  auto it = names_.find(name);
  return it != names_.end() ? it->second : wide(name);
}

bool NtHeldFolder::plainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

std::unique_ptr<HeldFolder> NtHeldFolder::holdChild(const std::string& name, FileIdentity* identity, long* error) {
  return openChild(name, true, identity, error);
}

std::unique_ptr<HeldFolder> NtHeldFolder::holdChildToLookIn(const std::string& name, FileIdentity* identity,
                                                            long* error) {
  return openChild(name, false, identity, error);
}

std::unique_ptr<HeldFolder> NtHeldFolder::openChild(const std::string& name, bool forRemoval, FileIdentity* identity,
                                                    long* error) {
  *identity = FileIdentity();
  if (!nt::api().complete() || !plainName(name)) {
    *error = nt::api().complete() ? winerr::InvalidParameter : ERROR_CALL_NOT_IMPLEMENTED;
    return nullptr;
  }
  // Sharing reading and writing but not deletion, as a held folder does; for removal with
  // the access that removes it later through this very handle, or without where that is
  // refused.
  const ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE child = INVALID_HANDLE_VALUE;
  nt::Status status = forRemoval ? openRelative(handle_, wideName(name), kFolderAccess | kRemoval, share,
                                                nt::kDirectoryFile, &child)
                                 : -1;
  if (status < 0) status = openRelative(handle_, wideName(name), kFolderAccess, share, nt::kDirectoryFile, &child);
  if (status < 0) {
    *error = nt::api().error(status);
    return nullptr;
  }
  auto held = std::make_unique<NtHeldFolder>(child, volumeSerial_);
  if ((*error = entryIdentityOf(child, volumeSerial_, identity)) != winerr::Success) return nullptr;
  *error = winerr::Success;
  return held;
}

long NtHeldFolder::removeChildFile(const std::string& name, bool clearAttributes, const EntryCheck& check) {
  if (!nt::api().complete()) return ERROR_CALL_NOT_IMPLEMENTED;
  if (!plainName(name)) return winerr::InvalidParameter;
  HANDLE file = INVALID_HANDLE_VALUE;
  // Shared as DeleteFileA shares it: a program that lets others delete its open file sees
  // it go once it closes it.
  const nt::Status status =
      openRelative(handle_, wideName(name), kRemoval | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nt::kNonDirectoryFile, &file);
  if (status < 0) return nt::api().error(status);
  NtHeldFolder entry(file, volumeSerial_);  // closes it
  DWORD attributes = 0;
  if (const long rc = attributesOf(file, &attributes)) return rc;
  if (const long refusal = check ? check(attributes) : winerr::Success) return refusal;
  if (const long rc = clearThrough(file, attributes, clearAttributes)) return rc;
  return deleteThrough(file);
}

long NtHeldFolder::removeListedFile(const FindData& listed, bool clearAttributes) {
  if (!nt::api().complete()) return ERROR_CALL_NOT_IMPLEMENTED;
  if (!plainName(listed.name)) return winerr::InvalidParameter;
  const ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE file = INVALID_HANDLE_VALUE;
  if (!clearAttributes || !(listed.attributes & kClearable)) {
    // Deleted as the handle closes. A read-only file refuses this open, as it refuses any
    // deletion.
    const nt::Status status = openRelative(handle_, wideName(listed.name), DELETE | SYNCHRONIZE, share,
                                           nt::kNonDirectoryFile | nt::kDeleteOnClose, &file);
    if (status < 0) return nt::api().error(status);
    CloseHandle(file);
    return winerr::Success;
  }
  const nt::Status status =
      openRelative(handle_, wideName(listed.name), kRemoval | SYNCHRONIZE, share, nt::kNonDirectoryFile, &file);
  if (status < 0) return nt::api().error(status);
  NtHeldFolder entry(file, volumeSerial_);  // closes it
  if (const long rc = clearThrough(file, listed.attributes, true)) return rc;
  return deleteThrough(file);
}

bool NtHeldFolder::isChild(const std::string& name, const FileIdentity& file) {
  if (!file.known) return true;
  FileIdentity identity;
  return childIdentity(name, &identity) == winerr::Success && identity.sameAs(file);
}

long NtHeldFolder::childIdentity(const std::string& name, FileIdentity* identity) {
  *identity = FileIdentity();
  if (!nt::api().complete()) return ERROR_CALL_NOT_IMPLEMENTED;
  if (!plainName(name)) return winerr::InvalidParameter;
  HANDLE entry = INVALID_HANDLE_VALUE;
  // Attributes alone: an open that reads no data is not kept out by the file's holder.
  const nt::Status status = openRelative(handle_, wideName(name), FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0, &entry);
  if (status < 0) return nt::api().error(status);
  NtHeldFolder closer(entry, volumeSerial_);
  return entryIdentityOf(entry, volumeSerial_, identity);
}

std::unique_ptr<OpenFile> NtHeldFolder::openChildFile(const std::string& name, long* error) {
  if (!nt::api().complete() || !plainName(name)) {
    *error = nt::api().complete() ? winerr::InvalidParameter : ERROR_CALL_NOT_IMPLEMENTED;
    return nullptr;
  }
  HANDLE file = INVALID_HANDLE_VALUE;
  // Shared with nobody: no other program writes or reads it while it is overwritten.
  const nt::Status status = openRelative(handle_, wideName(name), GENERIC_READ | GENERIC_WRITE | DELETE | SYNCHRONIZE,
                                         0, nt::kNonDirectoryFile, &file);
  if (status < 0) {
    *error = nt::api().error(status);
    return nullptr;
  }
  *error = winerr::Success;
  // Every action of the handle goes through it on the NT family; the name is for the log.
  return std::make_unique<Win32OpenFile>(file, name);
}

std::unique_ptr<OpenFile> NtHeldFolder::createChildFile(const std::string& name, long* error) {
  if (!nt::api().complete() || !plainName(name)) {
    *error = nt::api().complete() ? winerr::InvalidParameter : ERROR_CALL_NOT_IMPLEMENTED;
    return nullptr;
  }
  HANDLE file = INVALID_HANDLE_VALUE;
  const nt::Status status =
      createRelative(handle_, wideName(name), GENERIC_READ | GENERIC_WRITE | DELETE | SYNCHRONIZE, &file);
  if (status < 0) {
    *error = nt::api().error(status);
    return nullptr;
  }
  *error = winerr::Success;
  return std::make_unique<Win32OpenFile>(file, name);
}

long NtHeldFolder::removeChildFolder(const std::string& name, std::unique_ptr<HeldFolder> child, bool clearAttributes) {
  (void)name;  // the child's own handle names it
  auto* held = dynamic_cast<NtHeldFolder*>(child.get());
  if (!held || !nt::api().complete()) return winerr::InvalidParameter;
  DWORD attributes = 0;
  if (const long rc = attributesOf(held->handle_, &attributes)) return rc;
  if (const long rc = clearThrough(held->handle_, attributes, clearAttributes)) return rc;
  return deleteThrough(held->handle_);  // gone once the handle closes, with `child`
}

}  // namespace platform::win32
