// Time to list 10,000 cookies and to delete the unkept ones, per 1,000 cache entries,
// at growing cache sizes: the figures must stay flat for the work to grow linearly.
#include <chrono>
#include <cstdio>
#include <string>

#include "cookies/CookieKeeper.h"
#include "platform/sim/SimMachine.h"
#include "program/App.h"

namespace {

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Figures {
  double listPerThousand, deletePerThousand;
  uint64_t dispatches;
};

Figures measure(int cookies) {
  platform::sim::SimMachine machine;
  machine.files.makeFolders(machine.system.programDir);
  for (int i = 0; i < cookies; ++i) machine.urlCache.addCookie("me@site" + std::to_string(i) + ".example", "C:\\Cookies");
  // Every tenth cookie is on the keep list.
  std::string keep;
  for (int i = 0; i < cookies; i += 10) keep += "Cookie:me@site" + std::to_string(i) + ".example/\r\n";
  program::App app(machine.platform());
  machine.files.writeFile(cookies::keepListPath(app.run()), keep + "\r\n");

  const uint64_t before = machine.loop.dispatchCount();
  auto t0 = std::chrono::steady_clock::now();
  cookies::cmdGetCache_Click(app.run(), app.frm.cookies);
  auto t1 = std::chrono::steady_clock::now();
  const uint64_t dispatches = machine.loop.dispatchCount() - before;
  cookies::cmdDeleteSelected_Click(app.run(), app.frm.cookies);
  auto t2 = std::chrono::steady_clock::now();
  if (app.frm.cookies.lstCookies.listCount() != (cookies + 9) / 10) std::printf("wrong count!\n");
  const double k = cookies / 1000.0;
  return {seconds(t1 - t0) * 1000 / k, seconds(t2 - t1) * 1000 / k, dispatches};
}

}  // namespace

int main() {
  std::printf("cookies  list ms/1000  delete-unselected ms/1000  events dispatched while listing\n");
  for (int n : {1000, 2500, 5000, 10000}) {
    Figures f = measure(n);
    std::printf("%7d  %13.3f  %25.3f  %llu\n", n, f.listPerThousand, f.deletePerThousand,
                static_cast<unsigned long long>(f.dispatches));
  }
  return 0;
}
