// Silent error reports through WinINet to an HTTP server of the test's own on loopback.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WinePlatform.h"
#include "report/ErrorReporter.h"
#include "settings/RegistryStrings.h"

using namespace winetest;

namespace {

// Winsock, loaded at run time: the program itself links no socket library.
struct Sockets {
  HMODULE dll = LoadLibraryA("ws2_32.dll");
  template <typename F>
  F get(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  }
  decltype(&::WSAStartup) startup = get<decltype(&::WSAStartup)>("WSAStartup");
  decltype(&::socket) socket = get<decltype(&::socket)>("socket");
  decltype(&::bind) bind = get<decltype(&::bind)>("bind");
  decltype(&::listen) listen = get<decltype(&::listen)>("listen");
  decltype(&::accept) accept = get<decltype(&::accept)>("accept");
  decltype(&::recv) recv = get<decltype(&::recv)>("recv");
  decltype(&::send) send = get<decltype(&::send)>("send");
  decltype(&::closesocket) close = get<decltype(&::closesocket)>("closesocket");
  decltype(&::getsockname) sockname = get<decltype(&::getsockname)>("getsockname");
  Sockets() {
    WSADATA data;
    if (startup) startup(MAKEWORD(2, 2), &data);
  }

  // A socket bound to 127.0.0.1 on a free port; the port in host order.
  SOCKET bound(int* port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = 0x0100007f;  // 127.0.0.1 in network order
    a.sin_port = 0;
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    int length = sizeof a;
    sockname(s, reinterpret_cast<sockaddr*>(&a), &length);
    *port = ((a.sin_port & 0xff) << 8) | (a.sin_port >> 8);
    return s;
  }
};

// Answers every request with a short page and logs its request line.
class LoopbackServer {
 public:
  explicit LoopbackServer(Sockets& net) : net_(net) {
    InitializeCriticalSection(&lock_);
    listener_ = net_.bound(&port_);
    net_.listen(listener_, 8);
    thread_ = CreateThread(nullptr, 0, &LoopbackServer::run, this, 0, nullptr);
  }
  ~LoopbackServer() {
    net_.close(listener_);  // accept fails and the thread ends
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
  }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  std::vector<std::string> requests() {
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = requests_;
    LeaveCriticalSection(&lock_);
    return copy;
  }

 private:
  static DWORD WINAPI run(void* self) {
    auto& server = *static_cast<LoopbackServer*>(self);
    for (;;) {
      SOCKET client = server.net_.accept(server.listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return 0;
      std::string request;
      char buffer[1024];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const int n = server.net_.recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, n);
      }
      if (!request.empty()) {
        EnterCriticalSection(&server.lock_);
        server.requests_.push_back(request.substr(0, request.find("\r\n")));
        LeaveCriticalSection(&server.lock_);
      }
      static const char reply[] = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 2\r\n"
                                  "Connection: close\r\n\r\nok";
      server.net_.send(client, reply, sizeof reply - 1, 0);
      server.net_.close(client);
    }
  }

  Sockets& net_;
  CRITICAL_SECTION lock_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  HANDLE thread_ = nullptr;
  std::vector<std::string> requests_;
};

std::string percentDecode(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size()) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

// The request line's target, when the line is "GET target HTTP/1.x" with no other blank.
std::string getTarget(const std::string& line) {
  const size_t first = line.find(' '), last = line.rfind(' ');
  if (line.compare(0, 4, "GET ") != 0 || first == last || line.find(' ', first + 1) != last) return "<malformed>";
  if (line.compare(last + 1, 7, "HTTP/1.") != 0) return "<malformed>";
  return line.substr(first + 1, last - first - 1);
}

// Points the program's maker server and probe site elsewhere for one test, then puts
// back what was there.
class ReporterWine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"WebServer", "ProbeSite"})
      saved_.push_back(settings::tryMyGetSettingString(w.app, platform::hkey::CurrentUser, kKey, name, kNone));
  }
  void TearDown() override {
    const char* names[] = {"WebServer", "ProbeSite"};
    for (int i = 0; i < 2; ++i) {
      if (saved_[i] == kNone) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
          RegDeleteValueA(key, names[i]);
          RegCloseKey(key);
        }
      } else {
        settings::trySaveSettingString(w.app, platform::hkey::CurrentUser, kKey, names[i], saved_[i]);
      }
    }
  }
  void configure(const std::string& server, const std::string& probe) {
    settings::trySaveSettingString(w.app, platform::hkey::CurrentUser, kKey, "WebServer", server);
    settings::trySaveSettingString(w.app, platform::hkey::CurrentUser, kKey, "ProbeSite", probe);
  }

  static constexpr const char* kKey = "Software\\Quellery";
  static constexpr const char* kNone = "\x01none";
  WinePlatform w;
  Sockets net;
  std::vector<std::string> saved_;
};

}  // namespace

TEST_F(ReporterWine, TheServerDecodesExactlyTextNumberAndDescription) {
  ASSERT_TRUE(net.socket) << "no winsock";
  LoopbackServer server(net);
  configure(server.address(), server.address());
  ASSERT_TRUE(report::IsOnline(w.app));

  const std::string text = "ModClean, CleanWindTemp, Path/not found & 100% ";
  const std::string description = "Permission denied?x=1#frag";
  const size_t before = server.requests().size();
  report::ReportError(w.app, text, 75, description);

  std::vector<std::string> queries;
  const auto requests = server.requests();
  for (size_t i = before; i < requests.size(); ++i) {
    const std::string target = getTarget(requests[i]);
    EXPECT_NE("<malformed>", target) << requests[i];
    const size_t mark = target.find('?');
    if (mark != std::string::npos) queries.push_back(percentDecode(target.substr(mark + 1)));
  }
  ASSERT_EQ(1u, queries.size());
  EXPECT_EQ(text + "75" + description, queries[0]);
}

TEST_F(ReporterWine, NothingIsSentOffLineOrForErrorNumberZero) {
  ASSERT_TRUE(net.socket) << "no winsock";
  LoopbackServer server(net);
  int closedPort = 0;
  net.close(net.bound(&closedPort));
  configure(server.address(), "127.0.0.1:" + std::to_string(closedPort));
  EXPECT_FALSE(report::IsOnline(w.app));
  report::ReportError(w.app, "ModClean, FindOS, ", 6, "Overflow");
  EXPECT_TRUE(server.requests().empty());

  configure(server.address(), server.address());
  report::ReportError(w.app, "ModClean, FindOS, ", 0, "");
  EXPECT_TRUE(server.requests().empty());
}
