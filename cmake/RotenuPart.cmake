# rotenu_add_part(<name> SOURCES <files...> LIBS <targets...>)
# Builds a part module (a shared module loaded on first use through ResolvePartSymbol) into
# <build>/parts and installs it into <libdir>/rotenu. Programs that use the part must
# add_dependencies() on it so that it is built before they run.
set(ROTENU_BUILD_PARTS_DIR ${PROJECT_BINARY_DIR}/parts)
set(ROTENU_INSTALLED_PARTS_DIR ${CMAKE_INSTALL_FULL_LIBDIR}/rotenu)

function(rotenu_add_part name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} MODULE ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${ROTENU_BUILD_PARTS_DIR}
                                           CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/rotenu)
endfunction()
