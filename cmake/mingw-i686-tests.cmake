# The shipped 32-bit sources, built for the Windows tests under Wine. Never shipped, so it
# trusts the tests' upgrade key and the upgrade can be tested end to end; the shipped
# build (mingw-i686.cmake) trusts only the maker's.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(QUELLERY_TEST_UPDATE_KEY ON)  # not cached: a build folder trusts what its toolchain says
