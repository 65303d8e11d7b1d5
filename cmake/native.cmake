# Native Linux build: the headless UI backend and the unit and panel tests.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

add_library(zephra_headless STATIC
  ui/headless/headless_backend.cpp
  ui/headless/headless_window.cpp
)
target_link_libraries(zephra_headless PUBLIC zephra_core Threads::Threads)

include(GoogleTest)
add_subdirectory(tests/unit)
add_subdirectory(tests/panel)
add_subdirectory(tests/pages)
add_subdirectory(tests/page_current)
add_subdirectory(tests/page_legacy)
add_subdirectory(sim)
add_subdirectory(tests/sim)
if(ZEPHRA_FUZZ)
  add_subdirectory(tests/fuzz)
endif()
