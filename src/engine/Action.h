#pragma once
// One step of a cleaning item, declared as data: it names a registry key, a file pattern or
// an operation of the item's own, never a path to delete, and the executor carries it out.
#include "browsers/DatabaseEdit.h"
#include "clean/FolderTargets.h"
#include "cookies/CookieFile.h"
#include "erase/RunContext.h"
#include "report/ReportTexts.h"

namespace engine {

// Logic of an item's own, for what none of the kinds below declares (the URL history store,
// the locked index.dat, cookies, the Netscape profile scan, the Recycle Bin, the clipboard).
using Operation = void (*)(const erase::RunContext&);
// Whether the item may go on: false once it has recorded why not (a browser in use).
using Precondition = bool (*)(const erase::RunContext&);

struct Action {
  enum class Kind {
    PurgeList,      // a registry list below HKEY_CURRENT_USER: each value, then the key
    DeleteKeyTree,  // a key below HKEY_CURRENT_USER with everything in it
    SetValue,       // one string value below HKEY_CURRENT_USER set
    EraseMatching,  // the plain files one folder's listing matches ("C:\*.chk"), each through its handle
    RemoveFile,     // one file below a folder the machine tells, through its own handle
    EmptyFolder,    // the plain files of one folder below a folder the machine tells
    RemoveMatching,  // the plain files of a folder the machine tells whose names match a mask
    OnlyIf,         // the rest of the item runs only when the precondition holds
    Custom,
    // Names in the key path may be patterns (erase/NamePattern.h), each taking every key it
    // matches: "Office\\#.0\\Excel\\Recent Files" is that list of each Office version.
    PurgeValues,      // the values of each key named whose names match `name` and not `keep`
    DeleteSubKeys,    // the sub-keys of each key named whose names match `name` and not `keep`
    EmptyFolderTree,  // everything below one folder below a folder the machine tells, but `keep`
    EditDatabase,     // the rows a browser's database item declares, in the file below each folder
    SpareKeptSites,   // a cookie file below each folder, written back with only the kept sites' cookies
  };
  Kind kind;
  const char* where = nullptr;  // the key, the pattern, or the file or folder below `folder`
  const char* name = nullptr;   // SetValue: the value's name; PurgeValues, DeleteSubKeys: the names that go
  const char* text = nullptr;   // SetValue: its text
  Operation custom = nullptr;
  // RemoveFile, EmptyFolder, RemoveMatching, EmptyFolderTree
  const clean::FolderSource* folder = nullptr;
  Precondition precondition = nullptr;
  const browsers::DatabaseItem* database = nullptr;  // EditDatabase
  cookies::CookieFilter cookieFilter = nullptr;        // SpareKeptSites: the reader of the file's format
  // Heads the error report of a step that fails.
  const report::ReportTail* tail = &report::tail::doClean;
  // Stop, once pressed, skips it; most steps run on, as a registry list is purged whatever
  // became of the list before it.
  bool skippedOnceStopped = false;
  // PurgeValues, DeleteSubKeys: names that stay though `name` takes them; EmptyFolderTree:
  // paths below the folder that stay, each a folder or file ("*\\sys").
  const char* keep = "";
};

// Registry links are refused by every registry kind: a key that is, lies below or holds
// one is left whole, the item's line saying so.
inline Action purgeList(const char* key, const report::ReportTail& tail) {
  Action action{Action::Kind::PurgeList, key};
  action.tail = &tail;
  return action;
}
inline Action deleteKeyTree(const char* key) { return {Action::Kind::DeleteKeyTree, key}; }
inline Action setValue(const char* key, const char* name, const char* text) {
  return {Action::Kind::SetValue, key, name, text};
}
inline Action eraseMatching(const char* pattern, const report::ReportTail& tail) {
  Action action{Action::Kind::EraseMatching, pattern};
  action.tail = &tail;
  return action;
}
inline Action removeFile(const clean::FolderSource& folder, const char* name) {
  Action action{Action::Kind::RemoveFile, name};
  action.folder = &folder;
  return action;
}
inline Action emptyFolder(const clean::FolderSource& folder, const char* name) {
  Action action{Action::Kind::EmptyFolder, name};
  action.folder = &folder;
  return action;
}
// A name's pattern never takes a piece of a name: "File#" takes "File1", not "File1 Backup".
inline Action purgeValues(const char* key, const char* names, const char* keep = "") {
  Action action{Action::Kind::PurgeValues, key, names};
  action.keep = keep;
  return action;
}
inline Action deleteSubKeys(const char* key, const char* names, const char* keep = "") {
  Action action{Action::Kind::DeleteSubKeys, key, names};
  action.keep = keep;
  return action;
}
inline Action emptyFolderTree(const clean::FolderSource& folder, const char* name, const char* keep = "") {
  Action action{Action::Kind::EmptyFolderTree, name};
  action.folder = &folder;
  action.keep = keep;
  return action;
}
inline Action removeMatching(const clean::FolderSource& folder, const char* mask) {
  Action action{Action::Kind::RemoveMatching, mask};
  action.folder = &folder;
  return action;
}
// A browser that is running is never half-cleaned: put first, it stops the item.
inline Action onlyIf(Precondition precondition) {
  Action action{Action::Kind::OnlyIf};
  action.precondition = precondition;
  return action;
}
inline Action editDatabase(const clean::FolderSource& folder, const browsers::DatabaseItem& database) {
  Action action{Action::Kind::EditDatabase, database.file};
  action.folder = &folder;
  action.database = &database;
  return action;
}
inline Action spareKeptSites(const clean::FolderSource& folder, const char* file, cookies::CookieFilter filter) {
  Action action{Action::Kind::SpareKeptSites, file};
  action.folder = &folder;
  action.cookieFilter = filter;
  return action;
}
inline Action skippedOnceStopped(Action action) {
  action.skippedOnceStopped = true;
  return action;
}
inline Action custom(Operation operation, const report::ReportTail& tail = report::tail::doClean) {
  Action action{Action::Kind::Custom};
  action.custom = operation;
  action.tail = &tail;
  return action;
}

}  // namespace engine
