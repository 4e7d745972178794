# SQLite's amalgamation, fetched at a pinned version and checked (scripts/fetch-sqlite.sh),
# compiled as a library of its own for the database layer (src/database/).
execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-sqlite.sh
                OUTPUT_VARIABLE SQLITE_DIR OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0)
  message(FATAL_ERROR "SQLite's amalgamation could not be fetched and verified (scripts/fetch-sqlite.sh)")
endif()

add_library(sqlite3 STATIC ${SQLITE_DIR}/sqlite3.c)
# SYSTEM: its header's warnings are not ours to fix.
target_include_directories(sqlite3 SYSTEM PUBLIC ${SQLITE_DIR})
target_compile_definitions(sqlite3 PUBLIC
  # No os_unix.c or os_win.c: the files are the program's own held handles
  # (src/database/PlatformVfs.cpp). os_win.c would import wide and NT-only functions.
  SQLITE_OS_OTHER=1
  SQLITE_THREADSAFE=0
  # Removed rows are overwritten with zeros, not only unlinked from the b-tree.
  SQLITE_SECURE_DELETE
  # Temporary tables, VACUUM's copy and statement journals in memory: no temporary
  # files, whose names the program would not control.
  SQLITE_TEMP_STORE=3
  # Writes go through the handle; no memory-mapped view of a browser's file.
  SQLITE_MAX_MMAP_SIZE=0
  # The C runtime of Windows 95 has no localtime_s; nothing here needs local time.
  SQLITE_OMIT_LOCALTIME
  SQLITE_DEFAULT_MEMSTATUS=0
  SQLITE_OMIT_LOAD_EXTENSION
  SQLITE_OMIT_DEPRECATED
  SQLITE_OMIT_SHARED_CACHE
  # The in-memory file VFS wants a default VFS at start-up; each connection brings its own.
  SQLITE_OMIT_DESERIALIZE
  SQLITE_OMIT_PROGRESS_CALLBACK
  SQLITE_OMIT_AUTHORIZATION
  SQLITE_OMIT_COMPLETE
  SQLITE_OMIT_GET_TABLE
  SQLITE_OMIT_TCL_VARIABLE
  SQLITE_OMIT_JSON)
# Its own code, its own warnings: they never stop the build. Optimised as the build is,
# without debug information whatever the build type.
target_compile_options(sqlite3 PRIVATE -w -O2 -g0)
