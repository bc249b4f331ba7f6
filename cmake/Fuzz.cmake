# libFuzzer harnesses (clang, -fsanitize=fuzzer,address,undefined): one per surface a file or a
# command line reaches. Each is one test: a short run from a copy of its checked-in corpus
# (fuzz/corpus/<name>), failing on any finding. tools/fuzz-long.sh runs them long.
set(TRESSEL_FUZZ_HARNESSES script ini settings command_line start_with_windows macro_argument)
set(TRESSEL_FUZZ_SECONDS 10 CACHE STRING "Length of each harness's run in the test")

set(fuzz_sources_script ScriptFuzz.cpp)
set(fuzz_sources_ini IniFuzz.cpp)
set(fuzz_sources_settings SettingsFuzz.cpp)
set(fuzz_sources_command_line CommandLineFuzz.cpp)
set(fuzz_sources_start_with_windows StartWithWindowsFuzz.cpp)
set(fuzz_sources_macro_argument MacroArgumentFuzz.cpp)

foreach(name IN LISTS TRESSEL_FUZZ_HARNESSES)
  add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/fuzz/${fuzz_sources_${name}})
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/fuzz)
  target_link_libraries(fuzz_${name} PRIVATE tressel_core)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME fuzz_${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/fuzz-run.sh $<TARGET_FILE:fuzz_${name}>
            ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name} ${TRESSEL_FUZZ_SECONDS}
            ${CMAKE_BINARY_DIR}/fuzz-findings)
  set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 300)
endforeach()
