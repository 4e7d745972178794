// The end-to-end driver's entry: runs every case against the Quellery.exe whose
// Windows path is the last argument, and ends with a one-line tally.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int failed = RUN_ALL_TESTS();
  const testing::UnitTest& all = *testing::UnitTest::GetInstance();
  std::printf("%d passed, %d failed\n", all.successful_test_count(), all.failed_test_count());
  return failed == 0 ? 0 : 1;
}
