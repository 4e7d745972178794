# The same sources built for 64-bit Windows. Used only to run the Windows tests
# on machines whose kernel cannot run 32-bit x86 code (see scripts/wine-arch.sh);
# the program itself ships as the 32-bit build.
set(QUELLERY_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
# Never shipped, so it trusts the tests' upgrade key and the upgrade can be tested end to end.
set(QUELLERY_TEST_UPDATE_KEY ON)  # not cached: a build folder trusts what its toolchain says
