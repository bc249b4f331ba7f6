# Windows build (mingw-w64): Tressel.exe, the six hook libraries, the Wine tests and tools.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++)

if(TRESSEL_RELEASE)
  # What a user downloads: stripped, unused code dropped, and the same bytes from any folder on
  # any day (no build paths in __FILE__ or debug data, no link time stamp in the PE headers).
  add_compile_options(-ffunction-sections -fdata-sections
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
  add_link_options(-s -Wl,--gc-sections -Wl,--no-insert-timestamp)
else()
  # The test build's switches, for what Wine cannot show (app/win32/TestSwitches.h).
  add_compile_definitions(TRESSEL_TEST_SWITCHES)
endif()

# The ready-to-run folder a Windows user gets: Tressel.exe, the hook DLLs, ScriptsMacros/.
set(TRESSEL_OUT ${CMAKE_BINARY_DIR}/out)
set(TRESSEL_TEST_BIN ${CMAKE_BINARY_DIR}/wine-bin)
file(MAKE_DIRECTORY ${TRESSEL_OUT} ${TRESSEL_TEST_BIN})

# Hook libraries: one source, six targets.
set(TRESSEL_HOOK_INPUTS R M X1 X2 WD WU)
foreach(input IN LISTS TRESSEL_HOOK_INPUTS)
  add_library(Tarnhook${input} SHARED ${CMAKE_SOURCE_DIR}/hooks/Tarnhook.cpp)
  target_compile_definitions(Tarnhook${input} PRIVATE TARNHOOK_INPUT_${input}=1 TARNHOOK_SUFFIX=${input})
  target_include_directories(Tarnhook${input} PRIVATE ${CMAKE_SOURCE_DIR})
  set_target_properties(Tarnhook${input} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${TRESSEL_OUT})
  target_link_libraries(Tarnhook${input} PRIVATE user32)
  # Plain Win32 only: without exceptions nothing pulls in the unwinder and its thread library.
  target_compile_options(Tarnhook${input} PRIVATE -fno-exceptions -fno-rtti)
  list(APPEND TRESSEL_HOOK_TARGETS Tarnhook${input})
endforeach()

# Win32 side of the seam, the framework layer and the controls.
file(GLOB TRESSEL_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/seam/win32/*.cpp
  ${CMAKE_SOURCE_DIR}/framework/*.cpp
  ${CMAKE_SOURCE_DIR}/controls/*.cpp
  ${CMAKE_SOURCE_DIR}/app/win32/*.cpp)
list(FILTER TRESSEL_WIN32_SOURCES EXCLUDE REGEX ".*/app/win32/Main\\.cpp$")
add_library(tressel_win32 STATIC ${TRESSEL_WIN32_SOURCES})
target_include_directories(tressel_win32 PUBLIC ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(tressel_win32 PUBLIC tressel_core ${TRESSEL_HOOK_TARGETS}
  user32 gdi32 gdiplus comctl32 comdlg32 shell32 advapi32 ole32 oleaut32 oleacc shlwapi uuid
  winmm wtsapi32 powrprof)

# windres does not report the files a script includes: make the pictures and the manifest
# dependencies of the resource object, so that new artwork is built in.
file(GLOB TRESSEL_ART CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/*.bmp
  ${CMAKE_SOURCE_DIR}/resources/art/*.png ${CMAKE_SOURCE_DIR}/resources/art/*.ico)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/Tressel.rc PROPERTIES
  OBJECT_DEPENDS "${TRESSEL_ART};${CMAKE_SOURCE_DIR}/resources/Tressel.manifest")
add_executable(Tressel WIN32 ${CMAKE_SOURCE_DIR}/app/win32/Main.cpp ${CMAKE_SOURCE_DIR}/resources/Tressel.rc)
target_link_options(Tressel PRIVATE -municode)
target_include_directories(Tressel PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(Tressel PRIVATE tressel_win32)
set_target_properties(Tressel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRESSEL_OUT})

# Script files ship beside the executable.
add_custom_target(scripts ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/resources/ScriptsMacros ${TRESSEL_OUT}/ScriptsMacros)

# The zip a Windows user downloads (tools/package.sh): the files above, a user guide, the licence
# and SHA256SUMS, packed reproducibly by tools/make-zip.sh.
if(TRESSEL_RELEASE)
  set(TRESSEL_ZIP ${CMAKE_BINARY_DIR}/Tressel-${PROJECT_VERSION}-win64.zip)
  file(GLOB TRESSEL_SHIPPED_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/ScriptsMacros/*)
  add_custom_command(OUTPUT ${TRESSEL_ZIP}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/make-zip.sh ${TRESSEL_OUT} ${CMAKE_SOURCE_DIR} ${TRESSEL_ZIP}
    DEPENDS Tressel ${TRESSEL_HOOK_TARGETS} ${TRESSEL_SHIPPED_SCRIPTS} ${CMAKE_SOURCE_DIR}/tools/make-zip.sh
      ${CMAKE_SOURCE_DIR}/docs/UserGuide.txt ${CMAKE_SOURCE_DIR}/LICENSE
    VERBATIM)
  add_custom_target(package_zip ALL DEPENDS ${TRESSEL_ZIP})
endif()

if(NOT BUILD_TESTING)
  return()
endif()

# GoogleTest, built from the Debian source package with this toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gmock PRIVATE -Wno-error)

# Small Win32 tools used by the Wine tests (input recorder and the like): tools/win32/*.cpp, one exe each.
file(GLOB TRESSEL_WIN32_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/win32/*.cpp)
foreach(src IN LISTS TRESSEL_WIN32_TOOLS)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE tressel_win32)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRESSEL_TEST_BIN})
endforeach()
set_target_properties(MinimalDialog PROPERTIES WIN32_EXECUTABLE ON)  # a GUI program like Tressel

file(GLOB TRESSEL_WINE_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/support/*.cpp)
add_library(tressel_wine_support STATIC ${TRESSEL_WINE_TEST_SUPPORT})
target_include_directories(tressel_wine_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(tressel_wine_support PUBLIC tressel_win32 gmock gtest)
target_compile_definitions(tressel_wine_support PUBLIC TRESSEL_OUT_DIR="${TRESSEL_OUT}" TRESSEL_TEST_BIN_DIR="${TRESSEL_TEST_BIN}")

# The release tree tests the zip itself, not the program's parts again.
if(TRESSEL_RELEASE)
  include(${CMAKE_CURRENT_LIST_DIR}/ReleaseTests.cmake)
  return()
endif()

# Wine tests: one executable per file (one Wine process per file, not per case), plus the shared contract suite.
file(GLOB TRESSEL_WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*Test.cpp)
file(GLOB TRESSEL_CONTRACT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
foreach(src IN LISTS TRESSEL_WINE_TESTS)
  get_filename_component(name ${src} NAME_WE)
  set(extra)
  if(name STREQUAL "ProfileStoreContractTest")
    set(extra ${TRESSEL_CONTRACT_SOURCES})
  endif()
  # A test may carry resources of its own: tests/wine/<name>.rc (resources/ on its include path).
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/${name}.rc)
    list(APPEND extra ${CMAKE_SOURCE_DIR}/tests/wine/${name}.rc)
  endif()
  add_executable(wine_${name} ${src} ${extra})
  target_include_directories(wine_${name} PRIVATE ${CMAKE_SOURCE_DIR}/resources)
  target_link_options(wine_${name} PRIVATE -municode)
  target_link_libraries(wine_${name} PRIVATE tressel_wine_support gtest_main)
  set_target_properties(wine_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRESSEL_TEST_BIN})
  add_dependencies(wine_${name} Tressel scripts)
  add_test(NAME wine.${name} COMMAND wine_${name})
  set_tests_properties(wine.${name} PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
  if(name STREQUAL "BareScreenTest")
    set_tests_properties(wine.${name} PROPERTIES ENVIRONMENT TRESSEL_BARE_SCREEN=2048x768)
  endif()
endforeach()

# Timing harness under Wine (reports ratios; not a test).
file(GLOB TRESSEL_WINE_BENCH CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/*.cpp)
foreach(src IN LISTS TRESSEL_WINE_BENCH)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE tressel_wine_support)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRESSEL_TEST_BIN})
endforeach()
