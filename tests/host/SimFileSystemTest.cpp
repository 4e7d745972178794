#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include "platform/WinError.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimPathRules.h"

using namespace platform;

namespace {

class SimFiles : public ::testing::Test {
 protected:
  sim::SimMachine machine;
  sim::SimFileSystem& fs = machine.files;
  std::vector<std::string> names(const std::string& pattern) {
    std::vector<FindData> found;
    fs.findFiles(pattern, &found);
    std::vector<std::string> out;
    for (const FindData& f : found) out.push_back(f.name);
    return out;
  }
};

TEST_F(SimFiles, FindsNamesRegardlessOfCaseAndMatchesMasksAsFindFirstFile) {
  fs.makeFolders("C:\\Data\\Sub");
  ASSERT_EQ(fs.writeFile("C:\\data\\Report.TXT", "abc"), winerr::Success);
  fs.writeFile("C:\\Data\\noext", "");
  fs.writeFile("C:\\Data\\a.chk", "");
  std::string text;
  ASSERT_EQ(fs.readFile("c:\\DATA\\report.txt", &text), winerr::Success);
  EXPECT_EQ(text, "abc");

  EXPECT_EQ(names("C:\\Data\\*"), (std::vector<std::string>{".", "..", "a.chk", "noext", "Report.TXT", "Sub"}));
  EXPECT_EQ(names("C:\\Data\\*.*"), names("C:\\Data\\*"));
  EXPECT_EQ(names("C:\\data\\*.CHK"), (std::vector<std::string>{"a.chk"}));
  std::vector<FindData> found;
  EXPECT_EQ(fs.findFiles("C:\\Data\\*.zip", &found), winerr::FileNotFound);
  EXPECT_EQ(fs.findFiles("C:\\Nowhere\\*", &found), winerr::PathNotFound);
  EXPECT_EQ(names("C:\\*"), (std::vector<std::string>{"Data"}));  // a drive's root has no dots
}

TEST_F(SimFiles, AttributesLiveInTheOverlayAndReadOnlyOrLockedFilesStay) {
  fs.makeFolders("C:\\A");
  fs.writeFile("C:\\A\\f", "x");
  EXPECT_EQ(fs.getAttributes("C:\\A\\f"), fileattr::Archive);
  EXPECT_EQ(fs.getAttributes("C:\\A"), fileattr::Directory);
  EXPECT_EQ(fs.getAttributes("C:\\A\\none"), fileattr::Invalid);

  fs.setAttributes("C:\\A\\f", fileattr::ReadOnly | fileattr::Hidden);
  EXPECT_EQ(fs.getAttributes("C:\\a\\F"), fileattr::ReadOnly | fileattr::Hidden);
  EXPECT_EQ(fs.deleteFile("C:\\A\\f"), winerr::AccessDenied);
  fs.setAttributes("C:\\A\\f", fileattr::Normal);
  EXPECT_EQ(fs.getAttributes("C:\\A\\f"), fileattr::Normal);

  fs.lock("C:\\A\\f");
  std::string data;
  EXPECT_EQ(fs.readFile("C:\\A\\f", &data), winerr::SharingViolation);
  EXPECT_EQ(fs.deleteFile("C:\\A\\f"), winerr::SharingViolation);
  fs.unlock("C:\\A\\f");
  EXPECT_EQ(fs.removeDirectory("C:\\A"), winerr::DirNotEmpty);
  EXPECT_EQ(fs.deleteFile("C:\\A\\f"), winerr::Success);
  EXPECT_EQ(fs.deleteFile("C:\\A\\f"), winerr::FileNotFound);
  EXPECT_EQ(fs.deleteFile("C:\\B\\f"), winerr::PathNotFound);
  EXPECT_EQ(fs.removeDirectory("C:\\A"), winerr::Success);
}

TEST_F(SimFiles, LongNamesGetStableShortNamesThatLeadBackToThem) {
  fs.makeFolders("C:\\Program Files\\Quellery Tools");
  fs.makeFolders("C:\\Program Data");
  fs.writeFile("C:\\Program Files\\Quellery Tools\\history.dat", "");
  std::string shortPath;
  ASSERT_EQ(fs.getShortPathName("C:\\Program Files\\Quellery Tools\\history.dat", &shortPath), winerr::Success);
  EXPECT_EQ(shortPath, "C:\\PROGRA~2\\QUELLE~1\\history.dat");  // "Program Data" sorts first
  EXPECT_EQ(fs.getAttributes("C:\\PROGRA~2\\QUELLE~1\\HISTORY.DAT"), fileattr::Archive);
  std::vector<FindData> found;
  fs.findFiles("C:\\*", &found);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].shortName, "PROGRA~1");
  EXPECT_EQ(found[1].shortName, "PROGRA~2");
}

TEST_F(SimFiles, RefusesOverlongPathsAndNeverLeavesItsFolder) {
  const std::string longName(257, 'x');  // 260 characters with "C:\\"
  EXPECT_EQ(fs.createDirectory("C:\\" + longName), winerr::FilenameTooLong);
  std::vector<FindData> found;
  EXPECT_EQ(fs.findFiles("C:\\" + longName + "\\*", &found), winerr::FilenameTooLong);
  fs.writeFile("C:\\..\\..\\escape.txt", "x");
  struct stat st;
  EXPECT_EQ(::stat((machine.hostRoot + "/C/escape.txt").c_str(), &st), 0);
}

TEST_F(SimFiles, HostLinksShowAsReparsePoints) {
  fs.makeFolders("C:\\L");
  fs.makeFolders("C:\\Target");
  fs.writeFile("C:\\file.txt", "");
  ASSERT_EQ(fs.makeLink("C:\\L\\dirlink", fs.hostPath("C:\\Target")), winerr::Success);
  ASSERT_EQ(fs.makeLink("C:\\L\\filelink", fs.hostPath("C:\\file.txt")), winerr::Success);
  EXPECT_EQ(fs.getAttributes("C:\\L\\dirlink"), fileattr::Directory | fileattr::ReparsePoint);
  std::vector<FindData> found;
  fs.findFiles("C:\\L\\filelink", &found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].attributes & fileattr::ReparsePoint, fileattr::ReparsePoint);
  EXPECT_EQ(fs.removeDirectory("C:\\L\\dirlink"), winerr::Success);  // the link goes, its target stays
  EXPECT_EQ(fs.getAttributes("C:\\Target"), fileattr::Directory);
}

// What Win32 does with a name, as the probe showed under Wine and Windows documents it.
TEST_F(SimFiles, TrailingDotsAndBlanksAreReadAsWin32ReadsThem) {
  fs.makeFolders("C:\\t\\a");
  fs.writeFile("C:\\t\\a\\b", "in a");
  ASSERT_EQ(fs.createDirectory("\\\\?\\C:\\t\\a "), winerr::Success);
  fs.writeFile("\\\\?\\C:\\t\\a \\b", "in a-blank");
  fs.writeFile("C:\\t\\foo.txt", "foo");
  std::string data;
  ASSERT_EQ(fs.readFile("C:\\t\\a.\\b", &data), winerr::Success);  // an inner name loses one dot
  EXPECT_EQ(data, "in a");
  ASSERT_EQ(fs.readFile("C:\\t\\a \\b", &data), winerr::Success);  // and keeps its blanks
  EXPECT_EQ(data, "in a-blank");
  EXPECT_EQ(fs.readFile("C:\\t\\a..\\b", &data), winerr::PathNotFound);
  EXPECT_EQ(fs.readFile("C:\\t\\a. \\b", &data), winerr::PathNotFound);
  for (const char* twin : {"C:\\t\\foo.txt.", "C:\\t\\foo.txt ", "C:\\t\\foo.txt. ."}) {
    ASSERT_EQ(fs.readFile(twin, &data), winerr::Success) << twin;  // the last name loses them all
    EXPECT_EQ(data, "foo") << twin;
    EXPECT_EQ(names(twin), (std::vector<std::string>{"foo.txt"})) << twin;
  }
  EXPECT_EQ(names("C:\\t\\a.\\*"), (std::vector<std::string>{".", "..", "b"}));
}

TEST_F(SimFiles, TheLongPathPrefixTakesNamesAsSpelt) {
  fs.makeFolders("C:\\t\\a");
  fs.writeFile("C:\\t\\foo.txt", "foo");
  std::string data;
  EXPECT_EQ(fs.readFile("\\\\?\\C:\\t\\foo.txt.", &data), winerr::FileNotFound);
  std::vector<FindData> found;
  EXPECT_EQ(fs.findFiles("\\\\?\\C:\\t\\foo.txt.", &found), winerr::FileNotFound);
  EXPECT_EQ(fs.readFile("\\\\?\\C:\\t\\a\\..\\foo.txt", &data), sim::kInvalidName);
  ASSERT_EQ(fs.writeFile("\\\\?\\C:\\t\\foo.txt.", "twin"), winerr::Success);
  EXPECT_EQ(names("C:\\t\\foo*"), (std::vector<std::string>{"foo.txt", "foo.txt."}));
  ASSERT_EQ(fs.readFile("C:\\t\\foo.txt.", &data), winerr::Success);
  EXPECT_EQ(data, "foo");  // without the prefix the twin cannot be reached
  ASSERT_EQ(fs.readFile("\\\\.\\C:\\t\\foo.txt.", &data), winerr::Success);
  EXPECT_EQ(data, "foo");  // "\\.\\" paths are read as any other
}

TEST_F(SimFiles, DeviceNamesNameTheDeviceInAnyFolder) {
  fs.makeFolders("C:\\t");
  for (const char* device : {"CON", "C:\\t\\CON.txt", "x\\NUL.txt", "C:\\t\\nul  .txt", "C:\\t\\COM9.x.y",
                             "C:\\t\\lpt1.log", "\\\\.\\NUL", "C:\\t\\AUX."}) {
    EXPECT_EQ(fs.getAttributes(device), fileattr::Archive) << device;
    EXPECT_EQ(fs.deleteFile(device), winerr::InvalidParameter) << device;
    EXPECT_EQ(fs.writeFile(device, "gone"), winerr::Success) << device;
    std::string data = "stale";
    EXPECT_EQ(fs.readFile(device, &data), winerr::Success) << device;
    EXPECT_EQ(data, "") << device;
  }
  EXPECT_EQ(names("C:\\t\\*"), (std::vector<std::string>{".", ".."}));  // nothing was written to disk
  EXPECT_EQ(names("C:\\t\\CON"), (std::vector<std::string>{"CON"}));
  EXPECT_EQ(fs.writeFile("\\\\?\\C:\\t\\CON.txt", "file"), winerr::Success);  // spelt out, it is a file
  EXPECT_EQ(names("C:\\t\\C*"), (std::vector<std::string>{"CON.txt"}));
  EXPECT_EQ(fs.getAttributes("C:\\t\\CONSOLE.txt"), fileattr::Invalid);
}

TEST_F(SimFiles, AnEightDotThreeNameStaysWithItsFileWhenAnotherIsMade) {
  fs.makeFolders("C:\\s");
  fs.writeFile("C:\\s\\longname-zeta.txt", "z");
  std::string shortPath;
  ASSERT_EQ(fs.getShortPathName("C:\\s\\longname-zeta.txt", &shortPath), winerr::Success);
  EXPECT_EQ(shortPath, "C:\\s\\LONGNA~1.TXT");
  fs.writeFile("C:\\s\\longname-alpha.txt", "a");
  ASSERT_EQ(fs.getShortPathName("C:\\s\\longname-alpha.txt", &shortPath), winerr::Success);
  EXPECT_EQ(shortPath, "C:\\s\\LONGNA~2.TXT");
  std::string data;
  ASSERT_EQ(fs.readFile("C:\\s\\LONGNA~1.TXT", &data), winerr::Success);
  EXPECT_EQ(data, "z");
}

}  // namespace
