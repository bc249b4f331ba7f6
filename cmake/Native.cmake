# Native (Linux) build: the core's unit tests and benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/native/*.cpp
  ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
add_executable(tressel_native_tests ${NATIVE_TEST_SOURCES})
target_include_directories(tressel_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(tressel_native_tests PRIVATE tressel_core GTest::gmock GTest::gtest_main)
target_compile_definitions(tressel_native_tests PRIVATE TRESSEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(tressel_native_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)

if(TRESSEL_BENCHMARKS AND NOT TRESSEL_SANITIZE)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    file(GLOB NATIVE_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/native/*.cpp)
    if(NATIVE_BENCH_SOURCES)
      add_executable(tressel_native_bench ${NATIVE_BENCH_SOURCES})
      target_include_directories(tressel_native_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
      target_link_libraries(tressel_native_bench PRIVATE tressel_core benchmark::benchmark)
    endif()
  endif()
endif()
