# Native Linux build: the POSIX serial ports, the command line and the unit and panel tests.
find_package(GTest REQUIRED)

# The serial ports of this platform and their list, for the command line.
add_library(zephra_posix_links STATIC
  link/bounded_write_posix.cpp
  link/posix_reader_thread.cpp
  link/serial_link_posix.cpp
  link/usb_link_posix.cpp
  link/usb_printer_nodes_posix.cpp
  link/posix_link_provider.cpp
  link/port_list_udev.cpp
)
# The ports a printer may be on, from udev's device database.
find_package(PkgConfig REQUIRED)
pkg_check_modules(UDEV REQUIRED IMPORTED_TARGET libudev)
target_link_libraries(zephra_posix_links PUBLIC zephra_core Threads::Threads PRIVATE PkgConfig::UDEV)

add_subdirectory(provision)
add_subdirectory(cli)

# The core's file reads and writes, as this platform does them.
target_sources(zephra_core PRIVATE page_shared/text_file_posix.cpp)

include(GoogleTest)
add_subdirectory(tests/unit)
add_subdirectory(tests/panel)
add_subdirectory(tests/pages)
add_subdirectory(tests/page_current)
add_subdirectory(tests/page_legacy)
add_subdirectory(tests/page_module)
add_subdirectory(sim)
add_subdirectory(tests/sim)
add_subdirectory(tests/link)
add_subdirectory(tests/cli)
# The Ansible collection drives the programs as they are, and the README's commands install
# packages with shell scripts; the sanitizer build adds nothing to either.
if(NOT ZEPHRA_SANITIZE)
  add_subdirectory(tests/ansible)
  add_test(NAME setup.packages COMMAND bash ${PROJECT_SOURCE_DIR}/tests/setup/setup_test.sh)
endif()
if(ZEPHRA_FUZZ)
  add_subdirectory(tests/fuzz)
endif()
