#pragma once
// The main window's transfer object, Inet1, as the program uses it.
#include <string>

namespace platform {
struct Platform;
}

namespace report {

// Nothing the maker serves comes near this; a larger answer is not ours.
constexpr uint64_t kMaxBody = 64u << 20;

// Fetches `url` (text or bytes alike), dispatching window events while the request runs.
// False when there is no transfer object, another request still runs, or the request
// failed, was cut off, or its body ran past `maxBody` bytes.
bool OpenURL(platform::Platform& os, const std::string& url, std::string* body, uint64_t maxBody = kMaxBody);
// Cuts off whatever runs, waits for it to wind down, then fetches as OpenURL does.
bool FetchURL(platform::Platform& os, const std::string& url, std::string* body, uint64_t maxBody = kMaxBody);
// Cuts off the running request.
void CancelTransfer(platform::Platform& os);
bool StillExecuting(platform::Platform& os);
// The last response's headers as one text.
std::string GetHeader(platform::Platform& os);

}  // namespace report
