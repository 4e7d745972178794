#pragma once
// A profile folder on a simulated machine, and a look at the raw bytes of what is in it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <algorithm>
#include <string>
#include <vector>

#include <dirent.h>

#include "database/Database.h"
#include "platform/sim/SimMachine.h"

class DatabaseHarness : public ::testing::Test {
 protected:
  static constexpr const char* kFolder = "C:\\Profile";
  static constexpr const char* kPath = "C:\\Profile\\places.sqlite";
  // What a removed row held: it must not be found anywhere afterwards.
  static constexpr const char* kUrl = "http://secret-diary.example/entry-4711";

  DatabaseHarness() {
    fs.makeFolders(kFolder);
    // What a file held when bytes went back to the disk: a file cut short or removed.
    auto look = [this](const std::string& path) { givenBack.push_back({path, rawBytes(path)}); };
    fs.beforeSetLength = look;
    fs.beforeRemove = look;
  }

  // The file as it lies on the disk, read beside the handles that may hold it.
  std::string rawBytes(const std::string& path) {
    std::ifstream in(fs.hostPath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  void writeRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(fs.hostPath(path), std::ios::binary | std::ios::trunc) << bytes;
  }
  // The names of the profile folder's files that hold `text` anywhere in their bytes (all
  // of them for "").
  std::vector<std::string> filesHolding(const std::string& text) {
    std::vector<std::string> found;
    DIR* folder = ::opendir(fs.hostPath(kFolder).c_str());
    while (dirent* entry = folder ? ::readdir(folder) : nullptr) {
      const std::string name = entry->d_name;
      if (name != "." && name != ".." &&
          rawBytes(std::string(kFolder) + "\\" + name).find(text) != std::string::npos)
        found.push_back(name);
    }
    if (folder) ::closedir(folder);
    std::sort(found.begin(), found.end());
    return found;
  }
  std::unique_ptr<database::Database> openOrFail(const std::string& path = kPath) {
    database::OpenResult result = database::Database::open(fs, path);
    EXPECT_EQ(result.outcome, database::OpenOutcome::Opened) << result.message;
    return std::move(result.database);
  }
  // A new database as a browser leaves it: an empty file is an empty SQLite database.
  std::unique_ptr<database::Database> createOrFail() {
    fs.writeFile(kPath, "");
    return openOrFail();
  }
  int64_t count(database::Database& db, const std::string& sql) {
    database::Statement statement = db.prepare(sql);
    return statement.next() ? statement.integer(0) : -1;
  }

  // The files that were cut short or removed holding `text` at that moment.
  std::vector<std::string> givenBackHolding(const std::string& text) {
    std::vector<std::string> found;
    for (const auto& [path, bytes] : givenBack)
      if (bytes.find(text) != std::string::npos) found.push_back(path);
    return found;
  }

  platform::sim::SimMachine machine;
  platform::sim::SimFileSystem& fs = machine.files;
  std::vector<std::pair<std::string, std::string>> givenBack;
};
