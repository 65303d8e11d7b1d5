# The one version that the programs, the About box, the version block and the packages show:
# the project's version, with "+g" and the short commit id added when the commit is not tagged
# v<project version>. A build started from another one (the host's printer-sim) is handed
# ZEPHRA_VERSION instead. Gives ZEPHRA_VERSION, zephra_version.h on every target's include path,
# and version.txt in the build tree for the packaging scripts.
if(NOT DEFINED ZEPHRA_VERSION)
  set(ZEPHRA_VERSION ${PROJECT_VERSION})
  find_package(Git QUIET)
  if(Git_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=7 HEAD
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} RESULT_VARIABLE no_commit
      OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} tag --points-at HEAD --list v${PROJECT_VERSION}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE tag OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT no_commit AND NOT tag)
      string(APPEND ZEPHRA_VERSION +g${commit})
    endif()
    # Every commit and checkout appends to HEAD's log: configure again, for the new id.
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path logs/HEAD
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    get_filename_component(head_log "${head_log}" ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
    if(NOT no_commit AND EXISTS ${head_log})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${head_log})
    endif()
  endif()
endif()

string(REGEX MATCH "^([0-9]+)\\.([0-9]+)\\.([0-9]+)" numbers "${ZEPHRA_VERSION}")
if(NOT numbers)
  message(FATAL_ERROR "ZEPHRA_VERSION ${ZEPHRA_VERSION} does not begin with three numbers")
endif()
set(ZEPHRA_VERSION_MAJOR ${CMAKE_MATCH_1})
set(ZEPHRA_VERSION_MINOR ${CMAKE_MATCH_2})
set(ZEPHRA_VERSION_PATCH ${CMAKE_MATCH_3})

configure_file(${CMAKE_CURRENT_LIST_DIR}/zephra_version.h.in
  ${CMAKE_BINARY_DIR}/version/zephra_version.h @ONLY)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/version.txt CONTENT "${ZEPHRA_VERSION}\n")
include_directories(${CMAKE_BINARY_DIR}/version)
