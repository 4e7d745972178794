// The shredder and "Clean Locked Index.dat" act on the file their checks saw, through one
// handle, and overwrite every byte that held the file's data.
#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

#include "TestApp.h"
#include "clean/IEItems.h"
#include "platform/WinError.h"
#include "shredder/ShredFile.h"
#include "shredder/Shredder.h"

using namespace platform;

namespace {

const char* const kFile = "C:\\Docs\\secret.txt";
const char* const kOther = "C:\\Other\\keep.txt";

class ShredThroughHandle : public ::testing::Test, protected TestApp {
 protected:
  ShredThroughHandle() {
    fs.makeFolders("C:\\Docs");
    fs.makeFolders("C:\\Other");
    fs.makeFolders("C:\\Program Files\\Quellery");
    // What each file, or named stream, held when it was cut to nothing.
    fs.beforeSetLength = [this](const std::string& path) {
      const size_t colon = path.find(':', 2);
      std::string data;
      if (colon == std::string::npos)
        fs.readFile(path, &data);
      else
        fs.readStream(path.substr(0, colon), path.substr(colon + 1), &data);
      overwritten[path] = data;
    };
  }
  std::string content(const std::string& path) {
    std::string data;
    fs.readFile(path, &data);
    return data;
  }
  bool there(const std::string& path) { return fs.getAttributes(path) != fileattr::Invalid; }
  void hardLink(const std::string& existing, const std::string& name) {
    ASSERT_EQ(::link(fs.hostPath(existing).c_str(), fs.hostPath(name).c_str()), 0);
  }
  sim::SimFileSystem& fs = machine.files;
  std::map<std::string, std::string> overwritten;
};

TEST_F(ShredThroughHandle, ANameSwappedForAHardLinkMidShredLeavesTheOtherFileWhole) {
  const std::string other(3 << 20, 'K');
  fs.writeFile(kOther, other);
  fs.writeFile(kFile, std::string(3 << 20, 'S'));
  long swap = -1;
  // An attacker in the event loop, once the overwriting has begun.
  machine.loop.at(0, [&] { swap = fs.swapForHardLink(kFile, kOther); });
  std::string failure;
  shredder::ShredFile(app, kFile, 300, &failure);
  EXPECT_EQ(swap, winerr::SharingViolation) << "the held file was replaced";
  EXPECT_EQ(content(kOther), other) << "the other file was written through the swapped name";
  EXPECT_FALSE(there(kFile)) << failure;
}

TEST_F(ShredThroughHandle, WhatOverwritingCannotReachIsRefusedAndKeepsItsAttributes) {
  const struct {
    uint32_t bits;
    const char* reason;
  } cases[] = {{fileattr::Compressed, "compressed"}, {fileattr::Encrypted, "encrypted"}, {fileattr::Sparse, "sparse"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    fs.writeFile(kFile, "old data");
    fs.setAttributes(kFile, fileattr::ReadOnly | fileattr::Hidden | fileattr::System);
    fs.setStorageAttributes(kFile, c.bits);
    std::string failure;
    EXPECT_FALSE(shredder::ShredFile(app, kFile, 100, &failure));
    EXPECT_NE(failure.find(c.reason), std::string::npos) << failure;
    EXPECT_EQ(content(kFile), "old data");
    EXPECT_EQ(fs.getAttributes(kFile) & 0x7u, fileattr::ReadOnly | fileattr::Hidden | fileattr::System);
    fs.setAttributes(kFile, fileattr::Normal);
    fs.deleteFile(kFile);
  }
  // A second name is refused the same way, and its data stays.
  fs.writeFile(kOther, "other name's data");
  hardLink(kOther, kFile);
  fs.setAttributes(kFile, fileattr::Hidden);
  EXPECT_FALSE(shredder::ShredFile(app, kFile, 100));
  EXPECT_EQ(content(kOther), "other name's data");
  EXPECT_EQ(fs.getAttributes(kFile) & fileattr::Hidden, fileattr::Hidden);
}

TEST_F(ShredThroughHandle, NamedStreamsAreOverwrittenToo) {
  fs.writeFile(kFile, "main");
  ASSERT_EQ(fs.writeStream(kFile, "Zone.Identifier", "[ZoneTransfer] secret"), 0);
  ASSERT_TRUE(shredder::ShredFile(app, kFile, 100));
  const std::string stream = overwritten[std::string(kFile) + ":Zone.Identifier"];
  ASSERT_EQ(stream.size(), std::string("[ZoneTransfer] secret").size()) << "the stream was never overwritten";
  EXPECT_EQ(stream.substr(0, 4), std::string("\x0A\0\0\0", 4));
  EXPECT_FALSE(there(kFile));
}

TEST_F(ShredThroughHandle, ASmallFilesOldBytesAreOverwrittenInPlaceAndFlushedBeforeItGrows) {
  fs.writeFile(kFile, "0123456789");
  ASSERT_TRUE(shredder::ShredFile(app, kFile, 100));
  // The stream of factor 100 is 5,640 bytes.
  const std::vector<std::string> expected = {"write 0 10", "flush", "write 10 5630", "flush", "length 0"};
  EXPECT_EQ(fs.handleJournal, expected);
}

TEST_F(ShredThroughHandle, BytesAppendedDuringTheShredAreOverwrittenToo) {
  const size_t length = 3 << 20;
  fs.writeFile(kFile, std::string(length, 'S'));
  // A program that held the file before us appends to it while we overwrite.
  machine.loop.at(0, [&] { std::ofstream(fs.hostPath(kFile), std::ios::app) << "APPENDED"; });
  ASSERT_TRUE(shredder::ShredFile(app, kFile, 100));
  const std::string s = overwritten[kFile];
  ASSERT_EQ(s.size(), length + 8);
  EXPECT_EQ(s.find_first_of("SAPEND"), std::string::npos) << "an old or appended byte survived";
}

TEST_F(ShredThroughHandle, AReadOnlyFileIsShreddedAndAFailureIsShownToTheUser) {
  fs.writeFile(kFile, "read-only data");
  fs.setAttributes(kFile, fileattr::ReadOnly);
  fs.writeFile(kOther, "compressed data");
  fs.setStorageAttributes(kOther, fileattr::Compressed);
  app.frm.lstFiles.addItem(kFile);
  app.frm.lstFiles.addItem(kOther);
  shredder::cmdDelSelected_Click(app);
  EXPECT_FALSE(there(kFile));
  EXPECT_EQ(overwritten[kFile].size(), 16040u);
  EXPECT_EQ(content(kOther), "compressed data");
  ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
  EXPECT_NE(machine.shell.messageBoxes[0].text.find(kOther), std::string::npos) << machine.shell.messageBoxes[0].text;
  EXPECT_EQ(machine.shell.messageBoxes[0].text.find(kFile), std::string::npos) << machine.shell.messageBoxes[0].text;
}

TEST_F(ShredThroughHandle, AHardLinkNamedIndexDatLeavesTheOtherNamesDataWhole) {
  const std::string cookies = machine.shell.specialFolders[33], history = machine.shell.specialFolders[34];
  fs.makeFolders(cookies);
  fs.makeFolders(history);
  fs.writeFile(kOther, "not a cache index");
  hardLink(kOther, cookies + "\\index.dat");
  fs.writeFile(history + "\\index.dat", "history");
  clean::ClearLockedIndexDat(app.run());
  EXPECT_EQ(content(kOther), "not a cache index");
  EXPECT_EQ(content(history + "\\index.dat"), "       ");
}

}  // namespace
