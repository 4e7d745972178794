#include "platform/win32/Win32ProgramFiles.h"

#include <windows.h>

namespace platform::win32 {

namespace {

long lastError() { return static_cast<long>(GetLastError()); }

// Read access only, so that the loader may still open the file to start it; reading is
// all that is shared, so nobody writes, renames or deletes it while the handle is open.
class Win32HeldFile : public HeldFile {
 public:
  Win32HeldFile(HANDLE handle, std::string data) : handle_(handle), data_(std::move(data)) {}
  ~Win32HeldFile() override { CloseHandle(handle_); }
  const std::string& data() const override { return data_; }

 private:
  HANDLE handle_;
  std::string data_;
};

bool readAll(HANDLE file, size_t limit, std::string* data) {
  data->clear();
  char buffer[65536];
  DWORD got = 0;
  while (data->size() < limit) {
    const DWORD want = static_cast<DWORD>(limit - data->size() < sizeof buffer ? limit - data->size() : sizeof buffer);
    if (!ReadFile(file, buffer, want, &got, nullptr)) return false;
    if (got == 0) break;
    data->append(buffer, got);
  }
  return true;
}

}  // namespace

std::unique_ptr<HeldFile> Win32ProgramFiles::writeAndHold(const std::string& path, const std::string& data,
                                                          long* error) {
  *error = ERROR_SUCCESS;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = lastError();
    return nullptr;
  }
  DWORD written = 0;
  bool ok = data.empty() || (WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                             written == data.size());
  if (!ok) *error = lastError() ? lastError() : ERROR_WRITE_FAULT;
  ok = ok && FlushFileBuffers(file);
  if (!ok && !*error) *error = lastError();
  CloseHandle(file);
  // Between the close and the hold someone may change the file; the bytes read back
  // through the held handle show it.
  return ok ? hold(path, data.size(), error) : nullptr;
}

std::unique_ptr<HeldFile> Win32ProgramFiles::hold(const std::string& path, size_t maxBytes, long* error) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = lastError();
    return nullptr;
  }
  std::string data;
  try {
    if (!readAll(file, maxBytes + 1, &data)) {
      *error = lastError();
      CloseHandle(file);
      return nullptr;
    }
  } catch (const std::bad_alloc&) {
    CloseHandle(file);
    *error = ERROR_NOT_ENOUGH_MEMORY;
    return nullptr;
  }
  *error = ERROR_SUCCESS;
  return std::make_unique<Win32HeldFile>(file, std::move(data));
}

bool Win32ProgramFiles::startProgram(const std::string& path, const std::string& folder, int show) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process = {};
  // The path as the program's name, and quoted as its command line, so that no other
  // file is searched for.
  std::string commandLine = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

long Win32ProgramFiles::moveReplacing(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return ERROR_SUCCESS;
  return lastError();
}

long Win32ProgramFiles::rename(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) ? ERROR_SUCCESS : lastError();
}

}  // namespace platform::win32
