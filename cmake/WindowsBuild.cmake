# The Windows build (MinGW-w64 cross build, `make windows`): drennow-cli.exe and drennow.exe
# over the Win32 backend, and the backend's tests. No Qt, no Wine backend, no prefix discovery.

# Header-only libraries from Debian's packages, seen through a folder of links to their own
# folders only: /usr/include itself holds Linux's C library headers, which must not shadow
# MinGW's.
set(drennow_win_include ${CMAKE_BINARY_DIR}/include)
file(MAKE_DIRECTORY ${drennow_win_include})
foreach(lib IN ITEMS CLI fmt nlohmann)
  if(NOT EXISTS /usr/include/${lib})
    message(FATAL_ERROR "/usr/include/${lib} is missing: run scripts/bootstrap")
  endif()
  file(CREATE_LINK /usr/include/${lib} ${drennow_win_include}/${lib} SYMBOLIC)
endforeach()
add_library(drennow_headers INTERFACE)
target_include_directories(drennow_headers SYSTEM INTERFACE ${drennow_win_include})
target_compile_definitions(drennow_headers INTERFACE FMT_HEADER_ONLY)
add_library(fmt::fmt ALIAS drennow_headers)
add_library(nlohmann_json::nlohmann_json ALIAS drennow_headers)
add_library(CLI11::CLI11 ALIAS drennow_headers)

# One file a user can copy: the C and C++ runtimes and winpthreads linked in.
add_link_options(-static -s)
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601)

drennow_objects(drennow_codepage platform/codepage)
drennow_objects(drennow_shelllink platform/shelllink)
drennow_objects(drennow_win32 platform/win32)
drennow_objects(drennow_engine engine)
drennow_objects(drennow_repair repair)
target_link_libraries(drennow_shelllink PUBLIC drennow_codepage)
target_link_libraries(drennow_win32 PUBLIC drennow_codepage)
target_link_libraries(drennow_engine PUBLIC drennow_win32)
target_link_libraries(drennow_repair PUBLIC drennow_engine)

add_library(drennow_core STATIC
  $<TARGET_OBJECTS:drennow_codepage> $<TARGET_OBJECTS:drennow_shelllink>
  $<TARGET_OBJECTS:drennow_win32> $<TARGET_OBJECTS:drennow_engine>
  $<TARGET_OBJECTS:drennow_repair>)
target_include_directories(drennow_core PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(drennow_core PUBLIC drennow_headers advapi32 ole32 uuid)

add_subdirectory(cli)
add_subdirectory(ui/shared ui/shared)
add_subdirectory(ui/win32 ui/win32)

# What a Windows user downloads: both programs and the manual they open with F1, in one folder
# of a zip (build/windows/drennow-windows.zip).
set(drennow_zip ${CMAKE_BINARY_DIR}/drennow-windows.zip)
add_custom_command(
  OUTPUT ${drennow_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/zip/Norlix Drennow"
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:drennow> $<TARGET_FILE:drennow-cli>
          ${CMAKE_SOURCE_DIR}/docs/manual.html "${CMAKE_BINARY_DIR}/zip/Norlix Drennow"
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
          ${CMAKE_COMMAND} -E tar cf ${drennow_zip} --format=zip "Norlix Drennow"
  DEPENDS drennow drennow-cli ${CMAKE_SOURCE_DIR}/docs/manual.html
  COMMENT "Packing drennow-windows.zip"
  VERBATIM)
add_custom_target(drennow_windows_zip ALL DEPENDS ${drennow_zip})

if(DRENNOW_TESTS)
  # GoogleTest from the source Debian ships, built here with this compiler.
  set(gtest_src /usr/src/googletest/googletest)
  add_library(drennow_gtest STATIC ${gtest_src}/src/gtest-all.cc ${gtest_src}/src/gtest_main.cc)
  target_include_directories(drennow_gtest SYSTEM PUBLIC ${gtest_src}/include PRIVATE ${gtest_src})
  file(GLOB win32_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
  if(win32_test_sources)
    add_executable(test_win32 ${win32_test_sources})
    target_link_libraries(test_win32 PRIVATE drennow_core drennow_gtest)
    set_target_properties(test_win32 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  endif()
endif()
