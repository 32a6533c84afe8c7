# Test helpers shared by every folder under tests/.
#
# orvanta_core_test(name src...)  portable tests: natively (label native) and, in the
#                                 Windows build, the same sources under Wine (label windows)
# orvanta_win_test(name src...)   Windows-only tests under Wine + Xvfb (label windows)
# orvanta_e2e_test(area script case...)  end-to-end scripts against the real Orvanta.exe (label e2e)

function(orvanta_core_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE orvanta_core orvanta_fakes GTest::gmock GTest::gtest_main)
  if(WIN32)
    add_test(NAME windows.${name} COMMAND ${name})
    set_tests_properties(windows.${name} PROPERTIES LABELS windows TIMEOUT 600)
  else()
    add_test(NAME native.${name} COMMAND ${name})
    set_tests_properties(native.${name} PROPERTIES LABELS native TIMEOUT 600)
  endif()
endfunction()

function(orvanta_win_test name)
  if(NOT WIN32)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE orvanta_win orvanta_fakes GTest::gmock GTest::gtest_main)
  add_test(NAME windows.${name} COMMAND ${name})
  # Real windows share one display whose window manager activates every new window, so a test
  # beside another would lose the focus and activation it checks.
  set_tests_properties(windows.${name} PROPERTIES LABELS windows TIMEOUT 600 RUN_SERIAL TRUE)
endfunction()

# orvanta_e2e_test(area script.py case... [TIMEOUT seconds]): one test e2e.<area>.<case> per
# case, the script run with the case's name. The tests share the fixed service addresses, so
# they never run side by side.
function(orvanta_e2e_test area script)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "TIMEOUT" "")
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  foreach(case IN LISTS arg_UNPARSED_ARGUMENTS)
    add_test(NAME e2e.${area}.${case}
             COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${case})
    set_tests_properties(e2e.${area}.${case} PROPERTIES
                         LABELS e2e TIMEOUT ${arg_TIMEOUT} SKIP_RETURN_CODE 77
                         RESOURCE_LOCK e2e_service
                         ENVIRONMENT "ORVANTA_BUILD_DIR=${CMAKE_BINARY_DIR};ORVANTA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  endforeach()
endfunction()
