#include "preview/SaveReport.h"

#include "platform/WinError.h"

namespace preview {

using namespace platform;

namespace {

constexpr long kDiskFull = 112;

}  // namespace

std::string saveErrorText(long error) {
  switch (error) {
    case winerr::PathNotFound: return "The folder was not found";
    case winerr::AccessDenied: return "Access is denied";
    case winerr::SharingViolation: return "Another program is using the file";
    case kDiskFull: return "The disk is full";
    case winerr::FilenameTooLong: return "The name is too long";
    default: return "Windows error " + std::to_string(error);
  }
}

}  // namespace preview
