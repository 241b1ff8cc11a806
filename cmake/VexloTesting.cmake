# Test helpers shared by every tests/ folder.
#   vexlo_host_test(NAME SOURCES... LIBS...)  GoogleTest under the sanitizers (host tree)
#   vexlo_wine_test(NAME SOURCES... LIBS...)  GoogleTest program run under Wine (win32, win64 trees)
# A Wine test may also use plain add_executable + add_test; the tree's emulator runs it.

# What the release trees build with -O3 for the product, their tests build
# unoptimised: they run as fast, and compile in a fraction of the time.
set(VEXLO_TEST_OPTIMISATION $<$<CONFIG:Release>:-O0>)

if(NOT VEXLO_FUZZ AND NOT VEXLO_BENCH)
  if(VEXLO_WINDOWS)
    # GoogleTest for the Windows trees comes from the sources Debian ships.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # Their own entry (tests/support/wine_test_main.cpp), not gtest_main.
    set(VEXLO_GTEST_MAIN vexlo_wine_test_main gtest)
    # Test code needs no optimisation (the release trees' -O3 is for the product).
    target_compile_options(gtest PRIVATE ${VEXLO_TEST_OPTIMISATION})
  else()
    find_package(GTest REQUIRED)
    set(VEXLO_GTEST_MAIN GTest::gtest_main)
  endif()
endif()

# ctest's time-out only ends a program that hangs: every wait of a Wine test
# has its own deadline and says what it saw. A Wine program's whole run where
# the 32-bit world goes through qemu, on a loaded machine, may take minutes.
set(VEXLO_HOST_TEST_TIMEOUT 300)
set(VEXLO_WINE_TEST_TIMEOUT 900)
# A soak's 20,400 presses through the receiver took up to 190 s here.
set(VEXLO_SOAK_TEST_TIMEOUT 1800)

function(vexlo_add_gtest name timeout)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # One precompiled header per tree for every test program (tests/CMakeLists.txt).
  target_precompile_headers(${name} REUSE_FROM vexlo_test_headers)
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${VEXLO_GTEST_MAIN})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout})
endfunction()

function(vexlo_host_test name)
  if(NOT VEXLO_WINDOWS)
    vexlo_add_gtest(${name} ${VEXLO_HOST_TEST_TIMEOUT} ${ARGN})
  endif()
endfunction()

function(vexlo_wine_test name)
  if(VEXLO_RUN_WINE_TESTS)
    vexlo_add_gtest(${name} ${VEXLO_WINE_TEST_TIMEOUT} ${ARGN})
  endif()
endfunction()
