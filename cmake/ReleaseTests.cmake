# Tests of the zip a user downloads (the windows-release tree only): what its programs import,
# that it is built the same from any folder, and a user's whole journey with it under Wine.
add_test(NAME release.imports COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh ${TRESSEL_ZIP})
add_test(NAME release.reproducible
  COMMAND ${CMAKE_SOURCE_DIR}/tools/check-reproducible.sh ${CMAKE_SOURCE_DIR} ${TRESSEL_ZIP})
set_tests_properties(release.reproducible PROPERTIES TIMEOUT 3600 RUN_SERIAL TRUE)
