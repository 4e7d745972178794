// The walk relative to a held folder handle on Wine's file system: what each ntdll call
// does there (NtQueryDirectoryFile on the held handle, NtCreateFile relative to it with
// FILE_OPEN_REPARSE_POINT, FileDispositionInformation and FileBasicInformation through the
// entry's own handle). Each test prints what it saw, for the Wine notes.
#include <gtest/gtest.h>
#include <windows.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "RelativeCreate.h"
#include "WinePlatform.h"
#include "erase/FolderWalk.h"
#include "platform/win32/NtApi.h"

using namespace winetest;
namespace nt = platform::win32::nt;

namespace {

HANDLE openFolder(const std::string& path) {
  return CreateFileA(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::vector<std::string> names(platform::HeldFolder& folder) {
  std::vector<platform::FindData> entries;
  folder.list(&entries);
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.name);
  return out;
}

}  // namespace

TEST(NtFolderWine, ATreeDeeperThanMaxPathIsListedAndRemovedThroughHandles) {
  ASSERT_TRUE(nt::api().complete());
  WinePlatform w;
  ScratchFolder scratch("qnt-deep");
  writeFile(scratch.path() + "\\plain.txt");
  writeFile(scratch.path() + "\\readonly.txt");
  SetFileAttributesA((scratch.path() + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  // 30 levels of 20 characters, a file in each: about 630 characters of path.
  HANDLE level = openFolder(scratch.path());
  ASSERT_NE(level, INVALID_HANDLE_VALUE);
  int built = 0;
  for (; built < 30; ++built) {
    HANDLE file = createRelative(level, "f.txt", false);
    HANDLE next = createRelative(level, std::string(20, 'd'), true);
    if (file) CloseHandle(file);
    CloseHandle(level);
    level = next;
    if (!next) break;
  }
  if (level) CloseHandle(level);
  std::cout << "[wine] NtCreateFile relative to a folder handle built " << built << " of 30 levels" << std::endl;
  ASSERT_EQ(30, built);

  platform::FileIdentity identity;
  std::unique_ptr<platform::HeldFolder> held = w.files.holdFolder(scratch.path(), &identity);
  ASSERT_TRUE(held);
  const std::vector<std::string> listed = names(*held);
  std::cout << "[wine] NtQueryDirectoryFile on the held handle listed " << listed.size() << " entries" << std::endl;
  EXPECT_EQ(4u, listed.size());  // plain.txt, readonly.txt, f.txt and the first level

  const erase::LeftBehind left =
      erase::WalkHeldFolder(w.app.run(), *held, scratch.path() + "\\", erase::TreeDeleteRules());
  EXPECT_EQ(0u, left.total()) << left.describe();
  EXPECT_TRUE(names(*held).empty());
  EXPECT_FALSE(exists(scratch.path() + "\\readonly.txt"));  // cleared through its handle, then deleted
}

TEST(NtFolderWine, ALinkIsOpenedAsItselfAndNeverWalkedThrough) {
  WinePlatform w;
  ScratchFolder scratch("qnt-link");
  ScratchFolder outside("qnt-outside");
  writeFile(outside.path() + "\\keep.txt");
  CreateDirectoryA((scratch.path() + "\\real").c_str(), nullptr);
  ASSERT_TRUE(runUnix("ln", "-s \"" + unixPath(outside.path()) + "\" \"" + unixPath(scratch.path()) + "/link\""));
  ASSERT_TRUE(runUnix("ln", "-s \"" + unixPath(outside.path() + "\\keep.txt") + "\" \"" + unixPath(scratch.path()) +
                                "/filelink.txt\""));
  ASSERT_TRUE(waitFor([&] { return exists(scratch.path() + "\\link") && exists(scratch.path() + "\\filelink.txt"); }));

  platform::FileIdentity identity;
  std::unique_ptr<platform::HeldFolder> held = w.files.holdFolder(scratch.path(), &identity);
  ASSERT_TRUE(held);
  std::vector<platform::FindData> entries;
  held->list(&entries);
  for (const auto& e : entries)
    std::cout << "[wine] listed " << e.name << " attributes 0x" << std::hex << e.attributes << std::dec << std::endl;
  platform::FileIdentity child;
  long error = 0;
  std::unique_ptr<platform::HeldFolder> link = held->holdChild("link", &child, &error);
  std::cout << "[wine] folder link opened relative with FILE_OPEN_REPARSE_POINT: "
            << (link ? "attributes 0x" : "error ") << std::hex << (link ? child.attributes : error) << std::dec
            << std::endl;
  link.reset();
  uint32_t fileLink = 0;
  const long rc = held->removeChildFile("filelink.txt", false, [&](uint32_t seen) {
    fileLink = seen;
    return 5L;  // refused: only looked at
  });
  std::cout << "[wine] file link opened relative: attributes 0x" << std::hex << fileLink << std::dec
            << " (refused: " << rc << ")" << std::endl;
  // Wine shows a Unix file link as a plain file to every call, and deleting it deletes what
  // it names: only Windows can be trusted there (the host tests pin it). Not walked here.
  runUnix("rm", "-f \"" + unixPath(scratch.path()) + "/filelink.txt\"");
  ASSERT_TRUE(waitFor([&] { return !exists(scratch.path() + "\\filelink.txt"); }));

  const erase::LeftBehind left = erase::WalkHeldFolder(w.app.run(), *held, scratch.path() + "\\", erase::WalkRules());
  EXPECT_TRUE(exists(outside.path() + "\\keep.txt"));
  EXPECT_FALSE(exists(scratch.path() + "\\real"));
  EXPECT_GE(left.links, 1u);
  runUnix("rm", "-f \"" + unixPath(scratch.path()) + "/link\"");
  waitFor([&] { return !exists(scratch.path() + "\\link"); });
}

TEST(NtFolderWine, AFolderHeldThroughALinkStaysTheOneWalkedWhenTheLinkIsRepointed) {
  WinePlatform w;
  ScratchFolder real("qnt-real");
  ScratchFolder victim("qnt-victim");
  ScratchFolder links("qnt-links");
  for (const std::string& root : {real.path(), victim.path()}) {
    CreateDirectoryA((root + "\\Cache").c_str(), nullptr);
    writeFile(root + "\\Cache\\a.txt");
    writeFile(root + "\\Cache\\b.txt");
  }
  const std::string link = unixPath(links.path()) + "/L";
  ASSERT_TRUE(runUnix("ln", "-sfn \"" + unixPath(real.path()) + "\" \"" + link + "\""));
  ASSERT_TRUE(waitFor([&] { return exists(links.path() + "\\L\\Cache\\a.txt"); }));

  platform::FileIdentity identity;
  std::unique_ptr<platform::HeldFolder> held = w.files.holdFolder(links.path() + "\\L\\Cache", &identity);
  ASSERT_TRUE(held);
  writeFile(victim.path() + "\\victim.txt");
  ASSERT_TRUE(runUnix("ln", "-sfn \"" + unixPath(victim.path()) + "\" \"" + link + "\""));
  // Re-pointed once the victim's own file shows through the link.
  ASSERT_TRUE(waitFor([&] { return exists(links.path() + "\\L\\victim.txt"); }));
  erase::WalkHeldFolder(w.app.run(), *held, links.path() + "\\L\\Cache\\", erase::WalkRules());
  std::cout << "[wine] after re-pointing the link above the held folder: real "
            << (exists(real.path() + "\\Cache\\a.txt") ? "kept" : "emptied") << ", victim "
            << (exists(victim.path() + "\\Cache\\a.txt") ? "kept" : "emptied") << std::endl;
  EXPECT_TRUE(exists(victim.path() + "\\Cache\\a.txt"));
  EXPECT_TRUE(exists(victim.path() + "\\Cache\\b.txt"));
  EXPECT_FALSE(exists(real.path() + "\\Cache\\a.txt"));
  held.reset();  // the link stays for the scratch folder to clear
}

// A listed file goes in one open that deletes on close: read-only refuses it unless the
// listing's attributes are cleared first, a folder is refused by the open, and a file
// another program holds without sharing its deletion stays.
TEST(NtFolderWine, AListedFileGoesInOneOpenAndWhatRefusesADeletionStill) {
  WinePlatform w;
  ScratchFolder scratch("qnt-listed");
  for (const char* name : {"plain.txt", "readonly.txt", "cleared.txt", "held.txt"})
    writeFile(scratch.path() + "\\" + name);
  for (const char* name : {"readonly.txt", "cleared.txt"})
    SetFileAttributesA((scratch.path() + "\\" + name).c_str(), FILE_ATTRIBUTE_READONLY);
  CreateDirectoryA((scratch.path() + "\\folder").c_str(), nullptr);
  HANDLE holder = CreateFileA((scratch.path() + "\\held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  platform::FileIdentity identity;
  std::unique_ptr<platform::HeldFolder> held = w.files.holdFolder(scratch.path(), &identity);
  ASSERT_TRUE(held);
  std::vector<platform::FindData> entries;
  ASSERT_EQ(0, held->list(&entries));
  auto removed = [&](const std::string& name, bool clear) {
    for (const platform::FindData& entry : entries)
      if (entry.name == name) return held->removeListedFile(entry, clear);
    return -1L;
  };
  EXPECT_EQ(0, removed("plain.txt", false));
  EXPECT_EQ(5, removed("readonly.txt", false)) << "ERROR_ACCESS_DENIED";
  EXPECT_EQ(0, removed("cleared.txt", true));
  EXPECT_NE(0, removed("folder", true));
  EXPECT_EQ(32, removed("held.txt", true)) << "ERROR_SHARING_VIOLATION";
  CloseHandle(holder);
  EXPECT_FALSE(exists(scratch.path() + "\\plain.txt"));
  EXPECT_TRUE(exists(scratch.path() + "\\readonly.txt"));
  EXPECT_FALSE(exists(scratch.path() + "\\cleared.txt"));
  EXPECT_TRUE(exists(scratch.path() + "\\folder"));
  EXPECT_TRUE(exists(scratch.path() + "\\held.txt"));
  SetFileAttributesA((scratch.path() + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The guard tells folders apart by the index alone before it asks for the volume: an index
// that disagreed with the whole identity's would let an alias of a kept folder pass.
TEST(NtFolderWine, AFileIndexAloneIsTheIndexOfTheWholeIdentity) {
  WinePlatform w;
  ScratchFolder scratch("qnt-index");
  ScratchFolder other("qnt-index-other");
  ASSERT_TRUE(runUnix("ln", "-s \"" + unixPath(other.path()) + "\" \"" + unixPath(scratch.path()) + "/link\""));
  ASSERT_TRUE(waitFor([&] { return exists(scratch.path() + "\\link"); }));
  for (const std::string& path : {scratch.path(), other.path(), scratch.path() + "\\link", std::string("C:\\")}) {
    platform::FileIdentity whole;
    ASSERT_TRUE(w.files.holdFolder(path, &whole)) << path;
    uint64_t index = 0;
    ASSERT_EQ(0, w.files.fileIndexAt(path, &index)) << path;
    EXPECT_EQ(index, whole.fileIndex) << path;
  }
  runUnix("rm", "-f \"" + unixPath(scratch.path()) + "/link\"");
  waitFor([&] { return !exists(scratch.path() + "\\link"); });
}
