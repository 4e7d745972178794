# Cross-compiles for 32-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-i686).
# CTest runs the Windows test programs under Wine through the emulator script.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT QUELLERY_MINGW)
  set(QUELLERY_MINGW i686-w64-mingw32)
endif()
if(QUELLERY_MINGW MATCHES "^x86_64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86)
endif()

# The "win32" thread model: the "posix" one links winpthread, which imports
# functions that Windows XP and older lack (GetTickCount64 among them).
set(CMAKE_C_COMPILER ${QUELLERY_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QUELLERY_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${QUELLERY_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUELLERY_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ABSOLUTE)
