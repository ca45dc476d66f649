# add_qt_test(NAME SOURCES a.cpp ... LIBS lib ... [WINDOW] [XSERVER] [MUXSIM])
#   WINDOW : runs on the offscreen platform
#   XSERVER: needs a real X server (scripts/test runs ctest under xvfb-run)
#   MUXSIM : needs build/bin/muxsim; its path is given as MUXSIM_PATH
# Every test links tests/support (testsupport), window tests also its window
# helpers (widgetsupport). Each test has its own XDG data and settings folders
# in the build tree, emptied before a run, so that no test reads or writes the
# user's own (journal, settings).
# Each test lives in tests/<source folder>/<source file>/ and is named after that path:
# tests/configtool/ui/update/ gives configtool_ui_update; an aspect is appended
# (test_name_from_path(t savefailures) gives configtool_ui_principal_savefailures).
function(test_name_from_path out)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "_" name "${rel}")
  if(ARGC GREATER 1)
    set(name "${name}_${ARGV1}")
  endif()
  set(${out} ${name} PARENT_SCOPE)
endfunction()

function(add_qt_test name)
  cmake_parse_arguments(T "WINDOW;XSERVER;MUXSIM" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  test_name_from_path(from_path)
  if(NOT name MATCHES "^${from_path}(_[a-z0-9]+)?$")
    message(FATAL_ERROR "test ${name} must be named after its folder (${from_path})")
  endif()
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test testsupport ${T_LIBS})
  if(T_WINDOW OR T_XSERVER)
    target_link_libraries(${name} PRIVATE widgetsupport)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    MUXSIM_PATH="${CMAKE_BINARY_DIR}/bin/muxsim")
  if(T_MUXSIM)
    add_dependencies(${name} muxsim)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(xdg ${CMAKE_BINARY_DIR}/tests/xdg/${name})
  set(env "XDG_DATA_HOME=${xdg}/data" "XDG_CONFIG_HOME=${xdg}/config" "XDG_STATE_HOME=${xdg}/state")
  if(T_WINDOW)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(T_XSERVER)
    list(APPEND env "QT_QPA_PLATFORM=xcb")
    # One X server serves them all: two at once would steal each other's focus and keys.
    set_tests_properties(${name} PROPERTIES LABELS xserver RESOURCE_LOCK xserver)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}"
                       FIXTURES_REQUIRED test_xdg_folders)
endfunction()

# Empties the tests' XDG folders once before the tests that run.
function(add_test_xdg_reset)
  add_test(NAME support_xdg_reset COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/tests/xdg)
  set_tests_properties(support_xdg_reset PROPERTIES FIXTURES_SETUP test_xdg_folders)
endfunction()
