# Tests of the zip a user downloads (the windows-release tree only): what its programs import,
# that it is built the same from any folder, and a user's whole journey with it under Wine.
add_test(NAME release.imports COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh ${TRESSEL_ZIP})
add_test(NAME release.reproducible
  COMMAND ${CMAKE_SOURCE_DIR}/tools/check-reproducible.sh ${CMAKE_SOURCE_DIR} ${TRESSEL_ZIP})
set_tests_properties(release.reproducible PROPERTIES TIMEOUT 3600 RUN_SERIAL TRUE)

# The journey runs in a Wine prefix made new for it, with only the test's own folder on WINEPATH:
# the program finds nothing but what the zip brought.
add_executable(wine_JourneyTest ${CMAKE_SOURCE_DIR}/tests/release/JourneyTest.cpp)
target_include_directories(wine_JourneyTest PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_options(wine_JourneyTest PRIVATE -municode)
target_link_libraries(wine_JourneyTest PRIVATE tressel_wine_support gtest_main)
target_compile_definitions(wine_JourneyTest PRIVATE TRESSEL_ZIP_PATH="${TRESSEL_ZIP}")
set_target_properties(wine_JourneyTest PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRESSEL_TEST_BIN})
add_dependencies(wine_JourneyTest package_zip InputRecorder)
set(TRESSEL_JOURNEY_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-journey)
add_test(NAME release.journey COMMAND sh -c
  "rm -rf \"$1\" && TRESSEL_WINEPREFIX=\"$1\" TRESSEL_OUT_DIR=\"$2\" exec \"$3\" \"$4\""
  journey ${TRESSEL_JOURNEY_PREFIX} ${TRESSEL_TEST_BIN} ${CMAKE_SOURCE_DIR}/tools/wine-run.sh
  $<TARGET_FILE:wine_JourneyTest>)
set_tests_properties(release.journey PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
