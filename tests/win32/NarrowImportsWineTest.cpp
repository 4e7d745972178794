// The runtime's three wide imports are served by narrow wrappers linked into
// each program; Windows 9x has only placeholders for the wide ones.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

FARPROC kernelExport(const char* name) { return GetProcAddress(GetModuleHandleA("kernel32.dll"), name); }

TEST(NarrowImports, StandInForTheWideFunctionsAndConvertTheirNames) {
  // Called through the import pointers, as the runtime calls them.
  EXPECT_NE(reinterpret_cast<void*>(&CreateSemaphoreW), reinterpret_cast<void*>(kernelExport("CreateSemaphoreW")));
  EXPECT_NE(reinterpret_cast<void*>(&GetModuleHandleW), reinterpret_cast<void*>(kernelExport("GetModuleHandleW")));
  EXPECT_NE(reinterpret_cast<void*>(&LoadLibraryW), reinterpret_cast<void*>(kernelExport("LoadLibraryW")));

  HANDLE created = CreateSemaphoreW(nullptr, 0, 1, L"QuelleryNarrowImportsTest");
  ASSERT_NE(created, nullptr);
  HANDLE opened = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, "QuelleryNarrowImportsTest");
  EXPECT_NE(opened, nullptr) << "the semaphore was not created under its narrow name";
  if (opened) CloseHandle(opened);
  CloseHandle(created);
  HANDLE unnamed = CreateSemaphoreW(nullptr, 1, 1, nullptr);
  EXPECT_NE(unnamed, nullptr);
  if (unnamed) CloseHandle(unnamed);

  EXPECT_EQ(GetModuleHandleW(nullptr), GetModuleHandleA(nullptr));
  EXPECT_EQ(GetModuleHandleW(L"kernel32.dll"), GetModuleHandleA("kernel32.dll"));
  HMODULE loaded = LoadLibraryW(L"shlwapi.dll");
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded, GetModuleHandleA("shlwapi.dll"));
  FreeLibrary(loaded);
}

// Two threads meeting in a static-local initialiser wait on a runtime lock
// that CreateSemaphoreW makes; with a failing lock the program aborts.
LONG initialisations = 0;

int slowlyInitialised() {
  static const int value = [] {
    InterlockedIncrement(&initialisations);
    Sleep(200);
    return 42;
  }();
  return value;
}

DWORD WINAPI initialiseFromThread(void* result) {
  *static_cast<int*>(result) = slowlyInitialised();
  return 0;
}

TEST(NarrowImports, ContendedStaticInitialisationRunsOnce) {
  int results[2] = {};
  HANDLE threads[2];
  for (int i = 0; i < 2; ++i) threads[i] = CreateThread(nullptr, 0, initialiseFromThread, &results[i], 0, nullptr);
  ASSERT_EQ(WaitForMultipleObjects(2, threads, TRUE, 10000), WAIT_OBJECT_0);
  for (HANDLE thread : threads) CloseHandle(thread);
  EXPECT_EQ(results[0], 42);
  EXPECT_EQ(results[1], 42);
  EXPECT_EQ(initialisations, 1);
}

}  // namespace
