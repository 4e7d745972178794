#pragma once
// Windows error codes the program looks at.
namespace platform::winerr {
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long PathNotFound = 3;
constexpr long AccessDenied = 5;
constexpr long InvalidHandle = 6;
constexpr long NotEnoughMemory = 8;
constexpr long SharingViolation = 32;
constexpr long FileExists = 80;
constexpr long InvalidParameter = 87;
constexpr long CallNotImplemented = 120;
constexpr long InsufficientBuffer = 122;
constexpr long DirNotEmpty = 145;
constexpr long AlreadyExists = 183;
constexpr long FilenameTooLong = 206;
constexpr long MoreData = 234;
constexpr long NoMoreItems = 259;
constexpr long KeyDeleted = 1018;
}  // namespace platform::winerr
