#pragma once
// An HTTP server of a Windows test's own on 127.0.0.1: answers each path it was given,
// anything else with a short page, and logs every request line. Winsock is loaded at run
// time: the program itself links no socket library.
#include <winsock2.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace testnet {

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

  // What a GET of `path` gets: a 200 answer with this body and its length.
  void serve(const std::string& path, const std::string& body) {
    EnterCriticalSection(&lock_);
    pages_[path] = body;
    LeaveCriticalSection(&lock_);
  }
  std::vector<std::string> requests() {
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = requests_;
    LeaveCriticalSection(&lock_);
    return copy;
  }
  // How many requests were "GET path HTTP/1.x".
  size_t gets(const std::string& path) {
    size_t n = 0;
    for (const std::string& line : requests()) n += line.compare(0, 5 + path.size(), "GET " + path + " ") == 0;
    return n;
  }

 private:
  static DWORD WINAPI run(void* self) {
    auto& server = *static_cast<LoopbackServer*>(self);
    for (;;) {
      SOCKET client = server.net_.accept(server.listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return 0;
      server.answer(client);
      server.net_.close(client);
    }
  }

  void answer(SOCKET client) {
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const int n = net_.recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request.append(buffer, n);
    }
    if (request.empty()) return;
    const std::string line = request.substr(0, request.find("\r\n"));
    const size_t first = line.find(' '), last = line.rfind(' ');
    const std::string path = first < last ? line.substr(first + 1, last - first - 1) : "";
    EnterCriticalSection(&lock_);
    requests_.push_back(line);
    auto page = pages_.find(path);
    const std::string body = page == pages_.end() ? "ok" : page->second;
    LeaveCriticalSection(&lock_);
    const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    for (size_t sent = 0; sent < reply.size();) {
      const int n = net_.send(client, reply.data() + sent, int(reply.size() - sent), 0);
      if (n <= 0) break;
      sent += size_t(n);
    }
  }

  Sockets& net_;
  CRITICAL_SECTION lock_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  HANDLE thread_ = nullptr;
  std::vector<std::string> requests_;
  std::map<std::string, std::string> pages_;
};

}  // namespace testnet
