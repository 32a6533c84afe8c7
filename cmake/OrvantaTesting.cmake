# Test helpers shared by every folder under tests/.
#
# orvanta_core_test(name src...)  portable tests: natively (label native) and, in the
#                                 Windows build, the same sources under Wine (label windows)
# orvanta_win_test(name src...)   Windows-only tests under Wine + Xvfb (label windows)
# orvanta_e2e_test(area script case...)  end-to-end scripts against the real Orvanta.exe (label e2e)
#
# Every test under Wine runs through scripts/lib/isolated: a network namespace, an X display
# with its window manager and a copy of a Wine prefix of its own, so they all run side by side.

set(ORVANTA_ISOLATED ${PROJECT_SOURCE_DIR}/scripts/lib/isolated)
# The prefixes scripts/test prepares: with the stand-in control registered, and without.
set(ORVANTA_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(ORVANTA_PREFIX_BARE ${CMAKE_BINARY_DIR}/wineprefix-bare)

# The program stand-in signed in several ways for the tests (tools/signing), the test
# publisher's certificate among them.
set(ORVANTA_SIGNED_STANDINS ${CMAKE_BINARY_DIR}/tools/signing)
set(ORVANTA_TEST_PUBLISHER "Orvanta Test Publisher" CACHE STRING "Publisher of the test signing certificate")

function(orvanta_core_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE orvanta_core orvanta_fakes GTest::gmock GTest::gtest_main)
  if(WIN32)
    add_test(NAME windows.${name}
             COMMAND ${ORVANTA_ISOLATED} ${ORVANTA_PREFIX_BARE} ${CMAKE_CROSSCOMPILING_EMULATOR}
                     $<TARGET_FILE:${name}>)
    set_tests_properties(windows.${name} PROPERTIES LABELS windows TIMEOUT 600)
  else()
    add_test(NAME native.${name} COMMAND ${name})
    set_tests_properties(native.${name} PROPERTIES LABELS native TIMEOUT 600)
  endif()
endfunction()

# orvanta_win_test(name source... [CASES case...]): a Windows test program run under Wine as
# windows.<name>; see orvanta_add_win_cases for CASES.
function(orvanta_win_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "CASES")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE orvanta_win orvanta_fakes GTest::gmock GTest::gtest_main)
  orvanta_add_win_cases(windows.${name} CASES ${arg_CASES}
                        COMMAND ${ORVANTA_ISOLATED} ${ORVANTA_PREFIX}
                                ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
endfunction()

# orvanta_add_win_cases(test [CASES case...] COMMAND command...): registers the Windows test
# `test`. Each named case runs as a test of its own, <test>.<case>, and `test` runs all the
# others: cases that spend their time waiting on the program's own timers then run side by side
# rather than one after another, and a case added later is never left out.
function(orvanta_add_win_cases test)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "CASES;COMMAND")
  set(others "")
  foreach(case IN LISTS arg_CASES)
    add_test(NAME ${test}.${case} COMMAND ${arg_COMMAND} --gtest_filter=*.${case})
    set_tests_properties(${test}.${case} PROPERTIES LABELS windows TIMEOUT 600)
    list(APPEND others "*.${case}")
  endforeach()
  if(others)
    list(JOIN others ":" others)
    add_test(NAME ${test} COMMAND ${arg_COMMAND} --gtest_filter=-${others})
  else()
    add_test(NAME ${test} COMMAND ${arg_COMMAND})
  endif()
  set_tests_properties(${test} PROPERTIES LABELS windows TIMEOUT 600)
endfunction()

# orvanta_e2e_test(area script.py case... [TIMEOUT seconds] [PREFIX prepared]): one test
# e2e.<area>.<case> per case, the script run with the case's name in a copy of the prepared
# prefix (by default the one with the stand-in control).
function(orvanta_e2e_test area script)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "TIMEOUT;PREFIX" "")
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  if(NOT arg_PREFIX)
    set(arg_PREFIX ${ORVANTA_PREFIX})
  endif()
  foreach(case IN LISTS arg_UNPARSED_ARGUMENTS)
    add_test(NAME e2e.${area}.${case}
             COMMAND ${ORVANTA_ISOLATED} ${arg_PREFIX} python3 ${CMAKE_CURRENT_SOURCE_DIR}/${script}
                     ${case})
    set_tests_properties(e2e.${area}.${case} PROPERTIES
                         LABELS e2e TIMEOUT ${arg_TIMEOUT} SKIP_RETURN_CODE 77
                         ENVIRONMENT "ORVANTA_BUILD_DIR=${CMAKE_BINARY_DIR};ORVANTA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  endforeach()
endfunction()
