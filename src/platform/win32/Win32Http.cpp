#include "platform/win32/Win32Http.h"

#include <wininet.h>

#include "platform/win32/WinInetLibrary.h"

namespace platform::win32 {

struct Win32Http::Job {
  CRITICAL_SECTION* lock;
  std::string agent, url;
  uint64_t maxBody = 0;
  uint32_t id = 0;
  // Guarded by the lock: whoever closes a handle zeroes it.
  HINTERNET session = nullptr;
  HINTERNET request = nullptr;
  bool cancelled = false;
  // Written by the worker, read once it has ended.
  bool ok = false;
  std::string body, headers;
};

namespace {

void fetch(Win32Http::Job* job);

// The request's end: its result, and its handles closed unless a cancel closed them.
void finish(Win32Http::Job* job, bool ok) {
  EnterCriticalSection(job->lock);
  job->ok = ok && !job->cancelled;
  if (job->request) winInet().InternetCloseHandle(job->request);
  if (job->session) winInet().InternetCloseHandle(job->session);
  job->request = job->session = nullptr;
  LeaveCriticalSection(job->lock);
}

// No exception leaves the worker, where it would end the program: a body that cannot be
// kept fails its request.
DWORD WINAPI runRequest(void* parameter) {
  auto* job = static_cast<Win32Http::Job*>(parameter);
  try {
    fetch(job);
  } catch (...) {
    finish(job, false);
  }
  return 0;
}

void fetch(Win32Http::Job* job) {
  if (!winInet().loaded) return;  // no WinINet: the request fails like one off line
  HINTERNET session = winInet().InternetOpenA(job->agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  EnterCriticalSection(job->lock);
  const bool cancelledEarly = job->cancelled;
  if (!cancelledEarly) job->session = session;
  LeaveCriticalSection(job->lock);
  if (cancelledEarly || !session) {
    if (session) winInet().InternetCloseHandle(session);
    return;
  }
  // Blocks until connected; closing the session from the window thread cuts it short.
  HINTERNET request = winInet().InternetOpenUrlA(session, job->url.c_str(), nullptr, 0,
                                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  EnterCriticalSection(job->lock);
  if (job->cancelled) {
    LeaveCriticalSection(job->lock);
    if (request && request != job->request) winInet().InternetCloseHandle(request);
    return;
  }
  job->request = request;
  LeaveCriticalSection(job->lock);
  bool ok = request != nullptr;
  if (ok) {
    char buffer[8192];
    DWORD got = 0;
    while ((ok = winInet().InternetReadFile(request, buffer, sizeof buffer, &got) != FALSE) && got > 0) {
      if (job->body.size() + got > job->maxBody) {
        ok = false;
        break;
      }
      job->body.append(buffer, got);
    }
    DWORD length = 0;
    winInet().HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length, nullptr);
    if (length > 0) {
      std::string headers(length + 1, '\0');
      if (winInet().HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, &headers[0], &length, nullptr))
        job->headers = headers.substr(0, length);
    }
  }
  finish(job, ok);
}

}  // namespace

Win32Http::Win32Http(std::string agent, EventLoop& loop) : agent_(std::move(agent)), loop_(loop) {
  InitializeCriticalSection(&lock_);
}

Win32Http::~Win32Http() {
  cancel();
  if (thread_ && WaitForSingleObject(thread_, 5000) == WAIT_OBJECT_0) {
    collect();
  } else if (thread_) {
    // A worker that will not end keeps its job and lock: both are left to the process's end.
    CloseHandle(thread_);
    return;
  }
  DeleteCriticalSection(&lock_);
}

void Win32Http::cancel() {
  if (!job_) return;
  EnterCriticalSection(&lock_);
  job_->cancelled = true;
  // Closing the handles makes the worker's blocking calls return at once.
  if (job_->request) winInet().InternetCloseHandle(job_->request);
  if (job_->session) winInet().InternetCloseHandle(job_->session);
  job_->request = job_->session = nullptr;
  LeaveCriticalSection(&lock_);
}

uint32_t Win32Http::startRequest(const std::string& url, uint64_t maxBody) {
  if (stillExecuting()) return 0;
  auto* job = new Job;
  job->lock = &lock_;
  job->agent = agent_;
  job->url = url;
  job->maxBody = maxBody;
  job->id = ++lastId_;
  // Loaded on the window thread, before the worker asks for it; not at start, where it
  // would delay the window.
  winInet();
  DWORD threadId = 0;
  thread_ = CreateThread(nullptr, 0, runRequest, job, 0, &threadId);
  if (!thread_) {
    delete job;
    return 0;
  }
  job_ = job;
  return job->id;
}

void Win32Http::collect() {
  if (job_->ok && !job_->cancelled) {
    finishedId_ = job_->id;
    body_ = std::move(job_->body);
    headers_ = std::move(job_->headers);
  }
  delete job_;
  job_ = nullptr;
  CloseHandle(thread_);
  thread_ = nullptr;
}

bool Win32Http::stillExecuting() {
  if (!thread_) return false;
  if (WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT) return true;
  collect();
  return false;
}

bool Win32Http::takeResponse(uint32_t id, std::string* body) {
  if (stillExecuting() || id == 0 || id != finishedId_) return false;
  if (body) *body = body_;
  return true;
}

std::string Win32Http::headers() { return headers_; }

std::uintptr_t Win32Http::internetOpen(const std::string& agent) {
  if (!winInet().loaded) return 0;
  return reinterpret_cast<std::uintptr_t>(
      winInet().InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
}

namespace {

struct OpenUrlCall {
  HINTERNET session;
  std::string url;
  DWORD flags;
  HINTERNET page = nullptr;
};

DWORD WINAPI openUrl(void* parameter) {
  auto* call = static_cast<OpenUrlCall*>(parameter);
  call->page = winInet().InternetOpenUrlA(call->session, call->url.c_str(), nullptr, 0, call->flags, 0);
  return 0;
}

}  // namespace

std::uintptr_t Win32Http::internetOpenUrl(std::uintptr_t session, const std::string& url, uint32_t flags) {
  if (!winInet().loaded || !session) return 0;
  OpenUrlCall call{reinterpret_cast<HINTERNET>(session), url, flags};
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, openUrl, &call, 0, &threadId);
  if (!thread) return 0;
  // A name that does not resolve can take seconds; the window stays alive meanwhile.
  while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
    loop_.doEvents();
    loop_.waitForEvents(10);
  }
  CloseHandle(thread);
  return reinterpret_cast<std::uintptr_t>(call.page);
}

void Win32Http::internetCloseHandle(std::uintptr_t handle) {
  if (handle) winInet().InternetCloseHandle(reinterpret_cast<HINTERNET>(handle));
}

}  // namespace platform::win32
