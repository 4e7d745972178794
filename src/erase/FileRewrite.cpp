#include "erase/FileRewrite.h"

#include <memory>
#include <vector>

#include "erase/EraseFiles.h"
#include "erase/FileInHeldFolder.h"
#include "erase/WalkRules.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace erase {

namespace winerr = platform::winerr;
namespace fileattr = platform::fileattr;

namespace {

bool missing(long error) { return error == winerr::FileNotFound || error == winerr::PathNotFound; }

Rewrite unread(long error) { return {RewriteEnd::Unread, describeError(error)}; }

long writeBack(platform::OpenFile& file, uint64_t oldSize, const std::string& fresh) {
  long error = file.writeAt(0, fresh);
  if (error == winerr::Success && oldSize > fresh.size())
    error = file.writeAt(fresh.size(), std::string(static_cast<size_t>(oldSize - fresh.size()), '\0'));
  // The zeros reach the disk before the length is cut, so the freed clusters hold them.
  if (error == winerr::Success) error = file.flush();
  if (error == winerr::Success) error = file.setLength(fresh.size());
  if (error == winerr::Success) error = file.flush();
  return error;
}

}  // namespace

Rewrite RewriteFileInHeldFolder(const RunContext& run, const std::string& path, size_t limit, const FileEdit& edit) {
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos || slash + 1 == path.size()) return {RewriteEnd::Missing, {}};
  if (run.os.files.getAttributes(path) == fileattr::Invalid) return {RewriteEnd::Missing, {}};
  platform::FileIdentity folderSeen;
  const std::unique_ptr<platform::HeldFolder> folder = holdPlainFolder(run, path.substr(0, slash + 1), &folderSeen);
  if (!folder) return {RewriteEnd::Refused, "its folder cannot be reached without a link"};
  const std::string name = ListedName(*folder, path.substr(slash + 1));
  if (name.empty()) return {RewriteEnd::Missing, {}};
  long error = winerr::Success;
  const std::unique_ptr<platform::OpenFile> file = folder->openChildFile(name, &error);
  if (!file) return missing(error) ? Rewrite{RewriteEnd::Missing, {}} : unread(error);
  const platform::FileIdentity seen = file->identity();
  if (seen.attributes & fileattr::ReparsePoint) return {RewriteEnd::Refused, kLinkRefused};
  if (seen.attributes & fileattr::Directory) return {RewriteEnd::Missing, {}};
  // Written through a second name, it would change whichever file that name is.
  if (seen.known && seen.links > 1) return {RewriteEnd::Refused, "the file has another name elsewhere"};
  uint64_t size = 0;
  if ((error = file->size(&size)) != winerr::Success) return unread(error);
  if (size > limit) return {RewriteEnd::Unread, "larger than any such file the program reads"};
  std::string old;
  if ((error = file->readAt(0, static_cast<size_t>(size), &old)) != winerr::Success) return unread(error);
  if (old.size() != size) return {RewriteEnd::Unread, "the file could not be read whole"};
  std::string fresh;
  if (!edit(old, &fresh)) return {RewriteEnd::Unedited, {}};
  if ((error = writeBack(*file, size, fresh)) != winerr::Success) return {RewriteEnd::Failed, describeError(error)};
  return {RewriteEnd::Written, {}};
}

}  // namespace erase
