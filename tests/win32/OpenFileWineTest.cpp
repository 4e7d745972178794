// A file held by one handle on Wine's real file system: what each ntdll and kernel32 call
// does through it, printed as "measured:" lines, and the checks the shredder relies on.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "WinePlatform.h"
#include "platform/OpenFile.h"
#include "platform/win32/NtFileCalls.h"
#include "shredder/ShredFile.h"

using namespace winetest;
namespace nt = platform::win32::nt;

namespace {

std::string contentOf(const std::string& path) {
  std::string data;
  platform::win32::Win32FileSystem().readFile(path, &data);
  return data;
}

std::unique_ptr<platform::OpenFile> openHeld(WinePlatform& w, const std::string& path) {
  long error = -1;
  std::unique_ptr<platform::OpenFile> file = w.files.openFile(path, &error);
  EXPECT_TRUE(file) << path << " error " << error;
  return file;
}

bool makeHardLink(const std::string& existing, const std::string& folder, const std::string& name) {
  return runUnix("ln", "\"" + unixPath(existing) + "\" \"" + unixPath(folder) + "/" + name + "\"") &&
         waitFor([&] { return exists(folder + "\\" + name); });
}

}  // namespace

TEST(OpenFileWine, HeldUnsharedWrittenCutAndSeenThroughTheHandle) {
  WinePlatform w;
  ScratchFolder scratch("q19-openfile");
  const std::string file = scratch.path() + "\\digits.txt";
  writeFile(file, "0123456789");
  std::unique_ptr<platform::OpenFile> held = openHeld(w, file);
  ASSERT_TRUE(held);
  HANDLE second = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  const DWORD secondError = GetLastError();
  std::printf("measured: a second open of a file held unshared: %s, error %lu\n",
              second == INVALID_HANDLE_VALUE ? "refused" : "granted", secondError);
  EXPECT_EQ(second, INVALID_HANDLE_VALUE);
  EXPECT_EQ(secondError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  if (second != INVALID_HANDLE_VALUE) CloseHandle(second);
  EXPECT_FALSE(MoveFileA(file.c_str(), (scratch.path() + "\\moved.txt").c_str())) << "renamed while held";

  EXPECT_EQ(held->writeAt(2, "ab"), 0);
  EXPECT_EQ(held->flush(), 0);
  EXPECT_EQ(held->setLength(4), 0);
  uint64_t size = 0;
  EXPECT_EQ(held->size(&size), 0);
  EXPECT_EQ(size, 4u);
  const platform::FileIdentity identity = held->identity();
  EXPECT_EQ(identity.links, 1u);
  EXPECT_TRUE(identity.known);

  const long hidden = held->setAttributes(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  std::printf("measured: NtSetInformationFile FileBasicInformation through the handle: error %ld, attributes now 0x%lx\n",
              hidden, GetFileAttributesA(file.c_str()));
  EXPECT_EQ(hidden, 0);
  EXPECT_EQ(GetFileAttributesA(file.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(held->setAttributes(0), 0);
  EXPECT_EQ(GetFileAttributesA(file.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
  held.reset();
  EXPECT_EQ(contentOf(file), "01ab");
}

TEST(OpenFileWine, RenamedAndDeletedThroughTheHandle) {
  WinePlatform w;
  ScratchFolder scratch("q19-rename");
  const std::string file = scratch.path() + "\\name.txt";
  writeFile(file, "data");
  writeFile(scratch.path() + "\\taken.txt", "other");
  std::unique_ptr<platform::OpenFile> held = openHeld(w, file);
  ASSERT_TRUE(held);
  const long taken = held->rename("taken.txt");
  std::printf("measured: FileRenameInformation onto a taken name, no replacing: error %ld\n", taken);
  EXPECT_NE(taken, 0);
  EXPECT_EQ(contentOf(scratch.path() + "\\taken.txt"), "other") << "a rename never replaces";
  const long renamed = held->rename("ZZZZZZZZ");
  std::printf("measured: FileRenameInformation with a bare name: error %ld, new name there: %d\n", renamed,
              exists(scratch.path() + "\\ZZZZZZZZ"));
  EXPECT_EQ(renamed, 0);
  EXPECT_TRUE(exists(scratch.path() + "\\ZZZZZZZZ"));
  const long removed = held->remove();
  std::printf("measured: FileDispositionInformation: error %ld, name there before close: %d\n", removed,
              exists(scratch.path() + "\\ZZZZZZZZ"));
  EXPECT_EQ(removed, 0);
  held.reset();
  std::printf("measured: name there after close: %d\n", exists(scratch.path() + "\\ZZZZZZZZ"));
  EXPECT_FALSE(exists(scratch.path() + "\\ZZZZZZZZ"));
  EXPECT_FALSE(exists(file));
}

TEST(OpenFileWine, NamedStreamsAsWineTellsThem) {
  WinePlatform w;
  ScratchFolder scratch("q19-streams");
  const std::string file = scratch.path() + "\\streams.txt";
  writeFile(file, "main data");
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  // The raw calls, as the handle's stream listing makes them.
  char buffer[4096] = {};
  nt::IoStatusBlock io = {};
  const nt::Status query =
      nt::calls().queryInformationFile(h, &io, buffer, sizeof buffer, nt::FileStreamInformation);
  std::printf("measured: NtQueryInformationFile FileStreamInformation: status 0x%08lx, %lu bytes, first name length %lu\n",
              static_cast<unsigned long>(query), static_cast<unsigned long>(io.information),
              static_cast<unsigned long>(*reinterpret_cast<ULONG*>(buffer + 4)));
  WIN32_STREAM_ID header = {};
  DWORD read = 0;
  void* context = nullptr;
  const BOOL backup = BackupRead(h, reinterpret_cast<BYTE*>(&header), 20, &read, FALSE, FALSE, &context);
  std::printf("measured: BackupRead: %s, error %lu, %lu bytes, stream id %lu\n", backup ? "ok" : "failed",
              backup ? 0ul : GetLastError(), read, header.dwStreamId);
  BackupRead(h, nullptr, 0, &read, TRUE, FALSE, &context);
  std::wstring name = L":extra";
  nt::UnicodeString objectName = {static_cast<USHORT>(name.size() * 2), static_cast<USHORT>(name.size() * 2), &name[0]};
  nt::ObjectAttributes attributes;
  attributes.rootDirectory = h;
  attributes.objectName = &objectName;
  HANDLE stream = nullptr;
  const nt::Status relative = nt::calls().createFile(&stream, GENERIC_READ | GENERIC_WRITE | SYNCHRONIZE, &attributes,
                                                     &io, nullptr, 0, 0, 3 /* FILE_OPEN_IF */,
                                                     nt::FileNonDirectoryFile | nt::FileSynchronousIoNonAlert, nullptr, 0);
  std::printf("measured: NtCreateFile \":extra\" relative to the file's handle: status 0x%08lx\n",
              static_cast<unsigned long>(relative));
  if (relative >= 0) CloseHandle(stream);
  CloseHandle(h);

  // Whatever Wine tells, the handle lists no stream a plain file does not have.
  std::unique_ptr<platform::OpenFile> held = openHeld(w, file);
  ASSERT_TRUE(held);
  std::vector<platform::StreamInfo> streams;
  const long listed = held->namedStreams(&streams);
  std::printf("measured: namedStreams: error %ld, %u streams\n", listed, static_cast<unsigned>(streams.size()));
  EXPECT_EQ(listed, 0);
  for (const platform::StreamInfo& s : streams) EXPECT_EQ(s.name, "extra") << "a stream nobody made";
}

TEST(OpenFileWine, AReadOnlyFileIsHeldForReadingAndItsAttributes) {
  WinePlatform w;
  ScratchFolder scratch("q19-readonly");
  const std::string file = scratch.path() + "\\kept.txt";
  writeFile(file, "kept", FILE_ATTRIBUTE_READONLY);
  std::unique_ptr<platform::OpenFile> held = openHeld(w, file);
  ASSERT_TRUE(held);
  EXPECT_NE(held->writeAt(0, "x"), 0);
  EXPECT_EQ(held->setAttributes(0), 0);
  held.reset();
  EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(contentOf(file), "kept");
}

TEST(OpenFileWine, ShredRefusesASecondNameAndLeavesItsAttributes) {
  WinePlatform w;
  ScratchFolder scratch("q19-shred");
  const std::string secret = scratch.path() + "\\secret report.doc";
  writeFile(secret, std::string(100000, 'S'), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(shredder::ShredFile(w.app, secret, 400));
  EXPECT_FALSE(exists(secret));

  const std::string twice = scratch.path() + "\\twice.txt";
  writeFile(twice, "two names", FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(makeHardLink(twice, scratch.path(), "other.txt"));
  std::string failure;
  EXPECT_FALSE(shredder::ShredFile(w.app, twice, 400, &failure));
  EXPECT_EQ(failure, "more than one name");
  EXPECT_EQ(contentOf(scratch.path() + "\\other.txt"), "two names");
  EXPECT_TRUE(GetFileAttributesA(twice.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}
