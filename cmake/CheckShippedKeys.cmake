# cmake -DPROGRAM=Quellery.exe -DSHIPPED_KEYS=src/upgrade/TrustedKeys.txt
#       -DTEST_KEYS=tests/TestTrustedKeys.txt -P cmake/CheckShippedKeys.cmake
# Fails unless the program holds each key of the shipped keys file and none of the tests'
# keys, whose secrets anyone can read: a program that trusts them must never ship.
function(keys_of file out)
  file(STRINGS ${file} lines REGEX "^(current|next)[ \t]+[0-9a-f]+")
  set(keys "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^(current|next)[ \t]+([0-9a-f]+).*$" "\\2" key "${line}")
    list(APPEND keys ${key})
  endforeach()
  set(${out} ${keys} PARENT_SCOPE)
endfunction()

file(READ ${PROGRAM} program HEX)
# Hex pairs from an even offset only, so that a match is a byte string.
keys_of(${TEST_KEYS} test_keys)
foreach(key IN LISTS test_keys)
  string(FIND "${program}" "${key}" at)
  math(EXPR odd "${at} % 2")
  if(NOT at EQUAL -1 AND odd EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} trusts the tests' upgrade key ${key} (${TEST_KEYS}), whose secret anyone "
                        "can read. It must never ship: build it in a fresh folder with cmake/mingw-i686.cmake "
                        "(make dist does).")
  endif()
endforeach()
keys_of(${SHIPPED_KEYS} shipped_keys)
foreach(key IN LISTS shipped_keys)
  string(FIND "${program}" "${key}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM} does not hold the upgrade key ${key} of ${SHIPPED_KEYS}.")
  endif()
endforeach()
message(STATUS "${PROGRAM} trusts the shipped upgrade keys and none of the tests'.")
