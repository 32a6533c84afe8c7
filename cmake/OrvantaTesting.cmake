# Test helpers shared by every folder under tests/.
#
# orvanta_core_test(name src...)  portable tests: natively (label native) and, in the
#                                 Windows build, the same sources under Wine (label windows)
# orvanta_win_test(name src...)   Windows-only tests under Wine + Xvfb (label windows)
# orvanta_e2e_test(name cmd...)   end-to-end scripts against the real Orvanta.exe (label e2e)

# The program stand-in signed in several ways for the tests (tools/signing), the test
# publisher's certificate among them.
set(ORVANTA_SIGNED_STANDINS ${CMAKE_BINARY_DIR}/tools/signing)
set(ORVANTA_TEST_PUBLISHER "Orvanta Test Publisher" CACHE STRING "Publisher of the test signing certificate")

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

# The end-to-end tests share the fixed service addresses, so they never run side by side.
function(orvanta_e2e_test name)
  if(NOT WIN32)
    return()
  endif()
  add_test(NAME e2e.${name} COMMAND ${ARGN})
  set_tests_properties(e2e.${name} PROPERTIES LABELS e2e TIMEOUT 600 RESOURCE_LOCK e2e_service
                       ENVIRONMENT "ORVANTA_BUILD_DIR=${CMAKE_BINARY_DIR};ORVANTA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
