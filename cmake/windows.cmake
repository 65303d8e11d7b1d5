# Windows cross-build: Zephra.exe, zephra-cli.exe and the tests that run under Wine.
enable_language(RC)

# Static runtime so the exe imports only Windows system DLLs.
set(ZEPHRA_STATIC_LINK -static -static-libgcc -static-libstdc++)
# No link time in the PE header: the same sources give the same bytes.
add_link_options(-Wl,--no-insert-timestamp)

# The Win32 links and the port list, shared by the product, the command line and the Wine-level
# link probes.
add_library(zephra_win32_links STATIC
  link/bounded_writer.cpp
  link/device_interfaces_win32.cpp
  link/reader_thread.cpp
  link/serial_link_win32.cpp
  link/usb_link_win32.cpp
  link/win32_link_provider.cpp
  link/port_list_win32.cpp
)
target_compile_definitions(zephra_win32_links PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(zephra_win32_links PUBLIC zephra_core setupapi cfgmgr32)

add_executable(Zephra WIN32
  app/zephra_app.cpp
  ui/win32/win32_backend.cpp
  ui/win32/dialog_template.cpp
  ui/win32/win32_window.cpp
  ui/win32/list_view.cpp
  res/zephra.rc
)
target_link_options(Zephra PRIVATE -municode -s ${ZEPHRA_STATIC_LINK})
target_link_libraries(Zephra PRIVATE zephra_win32_links comctl32 comdlg32 ws2_32 shell32)

# The core's file reads and writes, as this platform does them.
target_sources(zephra_core PRIVATE page_shared/text_file_win32.cpp)

add_subdirectory(provision)
# zephra-cli.exe, the console build of the command line.
add_subdirectory(cli)

# The simulated printer runs on the Linux host beside Wine, so it is built with the host compiler.
include(ExternalProject)
set(ZEPHRA_HOST_SIM_DIR ${CMAKE_BINARY_DIR}/host-sim)
set(ZEPHRA_PRINTER_SIM ${ZEPHRA_HOST_SIM_DIR}/printer-sim)
ExternalProject_Add(printer_sim_host
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/sim
  BINARY_DIR ${ZEPHRA_HOST_SIM_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DZEPHRA_WERROR=${ZEPHRA_WERROR}
             -DZEPHRA_VERSION=${ZEPHRA_VERSION}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${ZEPHRA_PRINTER_SIM})

add_subdirectory(tests/e2e)
add_subdirectory(tests/win32)
