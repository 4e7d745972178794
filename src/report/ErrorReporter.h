#pragma once
#include <string>

namespace platform {
struct Platform;
}

namespace report {

// Sends a silent report of a failure to the maker, when on line. Never fails towards the
// caller; an error number of 0 sends nothing.
void ReportError(platform::Platform& os, const std::string& text, long number, const std::string& description);

// True when the probe site's root page could be opened.
bool IsOnline(platform::Platform& os);

// The maker's web server: the "WebServer" value under HKCU "Software\\Quellery", else a
// reserved name (RFC 2606) that never resolves.
std::string makerServer(platform::Platform& os);

// The site the probe opens: the "ProbeSite" value under HKCU "Software\\Quellery", else a
// name that reaches no host.
std::string probeSite(platform::Platform& os);

// The report's address: the query is percent-encoded, so the server decodes exactly the
// report text, the number and the description, one after the other.
std::string reportAddress(const std::string& server, const std::string& text, long number,
                          const std::string& description);

// Every byte but letters, digits and "-._~" as %XX.
std::string percentEncode(const std::string& text);

}  // namespace report
