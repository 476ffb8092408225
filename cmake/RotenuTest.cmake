# rotenu_add_test(<name> SOURCES <files...> LIBS <targets...> [ENV <VAR=value...>] [LABELS <labels...>]
#                 [LAUNCHER <command...>])
# Builds one test program and registers it with CTest. Widget tests run on the offscreen platform
# unless ENV says otherwise. LAUNCHER runs the program (a command that sets up a display, say);
# its exit code 77 marks the test skipped.
find_package(Qt6 REQUIRED COMPONENTS Test)
find_package(GTest REQUIRED)

function(rotenu_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV;LABELS;LAUNCHER" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:${name}>)
  if(ARG_LAUNCHER)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
  set(env QT_QPA_PLATFORM=offscreen QT_ASSUME_STDERR_HAS_CONSOLE=1 ${ARG_ENV})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()
