#include <gtest/gtest.h>

#include "clean/URLHistory.h"
#include "platform/sim/SimUrlHistory.h"
#include "report/RuntimeError.h"

using clean::CURLHistory;
using platform::sim::SimUrlHistory;

namespace {

constexpr uint64_t kTicksPerDay = 864000000000ull;
// 1 January 2004, 00:00 UTC as a FILETIME (days from 1601 to 2004: 147192).
constexpr uint64_t k2004 = 147192ull * kTicksPerDay;

long failureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const report::RuntimeError& e) {
    return e.number;
  }
  return 0;
}

}  // namespace

TEST(URLHistoryTest, CreationReadsTheWholeStoreAndEmptyStoreCountsZero) {
  SimUrlHistory store;
  {
    CURLHistory empty(store);
    EXPECT_EQ(0, empty.Count());
  }
  store.add("http://a.example/", "A");
  store.add("http://b.example/x", "");
  CURLHistory history(store);
  ASSERT_EQ(2, history.Count());
  EXPECT_EQ("http://a.example/", history.Item(1).URL());
  EXPECT_EQ("A", history.Item(1).Title());
  EXPECT_EQ("     (No Title Given)", history.Item(2).Title());
  int seen = 0;
  auto walk = history.NewEnum();
  while (walk.Next()) ++seen;
  EXPECT_EQ(2, seen);
}

TEST(URLHistoryTest, StringsTheStoreAllocatedAreFreedTitleFirst) {
  SimUrlHistory store;
  store.add("http://a.example/", "A");
  store.add("http://b.example/", "");
  {
    CURLHistory history(store);
    history.Refresh("", 0);  // the first collection's items end here
    EXPECT_EQ(3u, store.outstanding.size());  // no string for the missing title
  }
  EXPECT_TRUE(store.outstanding.empty());
  EXPECT_EQ(0, store.badFrees);
  EXPECT_EQ(0, store.liveStores);
  ASSERT_EQ(6u, store.freed.size());
  EXPECT_EQ(u"A", store.freed[0]);
  EXPECT_EQ(u"http://a.example/", store.freed[1]);
}

TEST(URLHistoryTest, RefreshWithAPrefixKeepsOnlyThatSite) {
  SimUrlHistory store;
  store.add("http://a.example/1", "");
  store.add("http://b.example/1", "");
  store.add("http://a.example/2", "");
  CURLHistory history(store);
  history.Refresh("http://a.example/", 0);
  ASSERT_EQ(2, history.Count());
  EXPECT_EQ("http://a.example/2", history.Item(2).URL());
  history.Refresh("", 0);
  EXPECT_EQ(3, history.Count());
}

TEST(URLHistoryTest, RemoveDeletesOneEntryAndPastTheEndLeavesTheStoreAlone) {
  SimUrlHistory store;
  store.add("http://a.example/", "");
  store.add("http://b.example/", "");
  CURLHistory history(store);
  const int callsBefore = store.storeCalls;
  EXPECT_EQ(9, failureOf([&] { history.Remove(3); }));
  EXPECT_EQ(9, failureOf([&] { history.Remove(0); }));
  EXPECT_EQ(9, failureOf([&] { history.Item(3); }));
  EXPECT_EQ(callsBefore, store.storeCalls);
  EXPECT_EQ(2u, store.entries.size());

  history.Remove(1);
  EXPECT_EQ(1, history.Count());
  EXPECT_EQ("http://b.example/", history.Item(1).URL());
  EXPECT_EQ(std::vector<std::string>{"http://b.example/"}, store.urls());

  store.deleteResult = platform::hresult::Fail;  // a refused delete keeps the item
  EXPECT_EQ(platform::hresult::Fail, failureOf([&] { history.Remove(1); }));
  EXPECT_EQ(1, history.Count());
}

TEST(URLHistoryTest, ClearAndDeleteURLIgnoreTheStoreAndRefresh) {
  SimUrlHistory store;
  store.add("http://a.example/", "");
  store.add("http://b.example/", "");
  CURLHistory history(store);
  history.AddURL("http://c.example/", "C", 0);
  EXPECT_EQ(2, history.Count());  // stale until the next refresh
  history.DeleteURL("http://a.example/", 0);
  EXPECT_EQ(2, history.Count());
  store.deleteResult = platform::hresult::NotImpl;
  EXPECT_EQ(0, failureOf([&] { history.DeleteURL("http://b.example/", 0); }));
  store.clearResult = platform::hresult::NotImpl;
  EXPECT_EQ(0, failureOf([&] { history.Clear(); }));
  EXPECT_EQ(2, history.Count());
  store.clearResult = 0;
  history.Clear();
  EXPECT_EQ(0, history.Count());
  EXPECT_TRUE(store.entries.empty());
}

TEST(URLHistoryTest, StoreFailuresReachTheCaller) {
  SimUrlHistory store;
  store.createResult = platform::hresult::ClassNotRegistered;
  EXPECT_EQ(platform::hresult::ClassNotRegistered, failureOf([&] { CURLHistory h(store); }));
  store.createResult = 0;
  store.enumResult = platform::hresult::NotImpl;  // what Wine's store answers
  EXPECT_EQ(platform::hresult::NotImpl, failureOf([&] { CURLHistory h(store); }));
  EXPECT_EQ(0, store.liveStores);
  store.enumResult = 0;
  CURLHistory history(store);
  store.addResult = platform::hresult::Fail;
  EXPECT_EQ(platform::hresult::Fail, failureOf([&] { history.AddURL("http://x/", "", 0); }));
}

TEST(URLHistoryTest, DatesAreLocalDaysSince1899AndStable) {
  EXPECT_DOUBLE_EQ(0.0, clean::FileTimeToDate(109205ull * kTicksPerDay));
  EXPECT_DOUBLE_EQ(37987.5, clean::FileTimeToDate(k2004 + kTicksPerDay / 2));
  EXPECT_DOUBLE_EQ(-1.25, clean::FileTimeToDate(109204ull * kTicksPerDay + kTicksPerDay / 4));
  // Sub-second parts are dropped as the calendar conversion drops them.
  EXPECT_DOUBLE_EQ(37987.0, clean::FileTimeToDate(k2004 + 9999999));

  SimUrlHistory store;
  store.localOffset = static_cast<int64_t>(kTicksPerDay / 24) * 2;  // two hours east
  store.add("http://a.example/", "", k2004);
  store.entries[0].expires = k2004 + kTicksPerDay;
  CURLHistory history(store);
  const double first = history.Item(1).LastVisited();
  EXPECT_DOUBLE_EQ(37987.0 + 2.0 / 24, first);
  EXPECT_DOUBLE_EQ(first, history.Item(1).LastVisited());
  EXPECT_DOUBLE_EQ(37988.0 + 2.0 / 24, history.Item(1).Expires());
}
