# Helpers that collect sources by folder, so that adding a file needs no edit of the build.

# vesper_glob_sources(<var> <dir>...): every .cpp below the given folders.
function(vesper_glob_sources var)
  set(found)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE part CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND found ${part})
  endforeach()
  set(${var} ${found} PARENT_SCOPE)
endfunction()

# vesper_test_suites(<root> <libraries>...): one GoogleTest executable per folder below <root>
# that holds *_test.cpp files; the executable is named test_<path with underscores>.
function(vesper_test_suites root)
  file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${root}/*_test.cpp)
  set(dirs)
  foreach(t IN LISTS tests)
    get_filename_component(d ${t} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  foreach(d IN LISTS dirs)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests ${d})
    string(REPLACE "/" "_" name "test_${rel}")
    file(GLOB srcs CONFIGURE_DEPENDS ${d}/*.cpp)
    add_executable(${name} ${srcs})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # Power requests of every test go to a log file in the build tree, never to the real system;
    # tests that want the mock bus unset it themselves.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 300 ENVIRONMENT "VESPER_POWER_LOG=${VESPER_TEST_POWER_LOG}"
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  endforeach()
endfunction()

# vesper_benchmarks(<root> <libraries>...): one executable per .cpp file below <root>, named bench_<file>.
function(vesper_benchmarks root)
  file(GLOB_RECURSE benches CONFIGURE_DEPENDS ${root}/*.cpp)
  foreach(b IN LISTS benches)
    get_filename_component(stem ${b} NAME_WE)
    add_executable(bench_${stem} ${b})
    target_link_libraries(bench_${stem} PRIVATE ${ARGN} benchmark::benchmark)
  endforeach()
endfunction()

# Where the tests' power requests are logged instead of carried out.
set(VESPER_TEST_POWER_LOG ${CMAKE_BINARY_DIR}/power-requests.log)

# vesper_power_log_for_tests(): gives every test added with add_test in the calling folder the power
# log too. Run at the end of the folder (cmake_language DEFER), so that later add_test calls count.
function(vesper_power_log_for_tests)
  get_property(tests DIRECTORY PROPERTY TESTS)
  foreach(t IN LISTS tests)
    set_property(TEST ${t} APPEND PROPERTY ENVIRONMENT "VESPER_POWER_LOG=${VESPER_TEST_POWER_LOG}")
  endforeach()
endfunction()
