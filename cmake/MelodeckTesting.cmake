# Helpers shared by every tests/ and bench/ folder.
include(CTest)
find_package(GTest REQUIRED)
include(GoogleTest)

# The shared sample archives (<folder>/fixtures): $MELODECK_SHARED_DIR when the build is
# configured (relative to the clone), else a folder "shared" beside the clone. The tests that
# need them skip without them; scripts/test counts those.
if(NOT "$ENV{MELODECK_SHARED_DIR}" STREQUAL "")
  get_filename_component(MELODECK_SHARED_DIR "$ENV{MELODECK_SHARED_DIR}" ABSOLUTE BASE_DIR "${CMAKE_SOURCE_DIR}")
else()
  get_filename_component(MELODECK_SHARED_DIR "${CMAKE_SOURCE_DIR}/../shared" ABSOLUTE)
endif()
if(NOT IS_DIRECTORY "${MELODECK_SHARED_DIR}/fixtures")
  message(STATUS "No folder ${MELODECK_SHARED_DIR}/fixtures: the tests that need the shared sample "
                 "archives will be skipped (set MELODECK_SHARED_DIR to the shared folder to run them)")
endif()

set(MELODECK_LSAN_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/lsan.supp)
# intercept_tls_get_addr=0: the leak checker of clang up to 16 can mistake a malloc'd block for an
# old glibc TLS header and crash its stop-the-world thread at exit, seldom and at random.
set(MELODECK_TEST_ENV
    "LSAN_OPTIONS=suppressions=${MELODECK_LSAN_SUPPRESSIONS}:print_suppressions=0"
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "QT_QPA_PLATFORM=offscreen"
    "MELODECK_SHARED_DIR=${MELODECK_SHARED_DIR}"
    "MELODECK_BIN_DIR=${CMAKE_BINARY_DIR}/bin")

# melodeck_add_test(<name> SOURCES <files...> LIBS <targets...> [XVFB] [QT])
# One GoogleTest program; every test case runs as its own CTest test (in parallel).
# QT: the program's main makes a QApplication (offscreen unless QT_QPA_PLATFORM says otherwise).
function(melodeck_add_test name)
  cmake_parse_arguments(T "XVFB;QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    set(main melodeck_testmain_qt)
  else()
    set(main melodeck_testmain)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} melodeck_testsupport ${main} GTest::gtest GTest::gmock)
  if(T_XVFB)
    # -noreset: by default the server resets whenever its last client leaves, and a program
    # that connects during the reset is turned away. Tests that connect and disconnect in turn
    # (or start X clients of their own) would fail now and then.
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR
                 xvfb-run -a -s "-noreset -screen 0 1280x1024x24")
  endif()
  # The listing runs at CTest time, under the emulator as well: starting a display on a busy
  # machine can take longer than the default five seconds.
  # NO_PRETTY_VALUES: a parameterised test is named by its suite's name generator (or index), not
  # by a dump of its parameter's bytes, which holds addresses and changes from run to run.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    TEST_PREFIX "${name}.")
  # gtest_discover_tests flattens list-valued PROPERTIES: ENVIRONMENT would keep its first entry
  # only and the rest would become bogus properties (TIMEOUT with them). A second CTest include,
  # read after the one that lists the tests, sets the properties on every test found.
  set(props ${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake)
  file(WRITE ${props}
       "foreach(t IN LISTS ${name}_TESTS)\n"
       "  set_tests_properties(\"\${t}\" PROPERTIES\n"
       "    ENVIRONMENT [==[${MELODECK_TEST_ENV}]==] TIMEOUT 120)\n"
       "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${props})
endfunction()

# melodeck_add_fuzzer(<name> SOURCES <files...> LIBS <targets...> [CORPUS <dir>])
# A libFuzzer target, built only with clang. CTest runs it briefly over its corpus so that
# every input that once broke a parser stays a regression test.
function(melodeck_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  # New inputs go to a scratch folder in the build tree; the corpus in the source tree is only read.
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}.corpus)
  file(MAKE_DIRECTORY ${scratch})
  set(args -runs=20000 -max_len=4096 ${scratch})
  if(F_CORPUS)
    list(APPEND args ${F_CORPUS})
  endif()
  add_test(NAME fuzz.${name} COMMAND ${name} ${args})
  set_tests_properties(fuzz.${name} PROPERTIES ENVIRONMENT "${MELODECK_TEST_ENV}" TIMEOUT 300)
endfunction()
