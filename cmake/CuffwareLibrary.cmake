# cuffware_library(NAME SOURCES... DEPENDS libs...)
# One static library per folder of src/, includable as "folder/file.h".
function(cuffware_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  else()
    # A folder whose code is still headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# cuffware_host_sources(OUT_VAR)
# The *.cpp files of the calling folder for this host: host-specific code
# sits in *_posix.cpp / *_win32.cpp pairs (or *_linux.cpp / *_win32.cpp)
# behind one header, and the build takes the host's half; a program's *_main.cpp is left to its executable.
function(cuffware_host_sources out_var)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "_main\\.cpp$")
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  # What only Linux gives (/proc) sits in *_linux.cpp, instead of a POSIX half.
  if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    list(FILTER sources EXCLUDE REGEX "_linux\\.cpp$")
  endif()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()

# What a test program run by CTest gets beside the variables its fixture
# sets: a Wine prefix that does not exist, so no test sees the drives of the
# user's own ~/.wine (a test that needs a prefix makes its own).
set(CUFFWARE_TEST_WINEPREFIX "WINEPREFIX=${PROJECT_BINARY_DIR}/no-wine-prefix")
# The same as an ENVIRONMENT_MODIFICATION, for gtest_discover_tests, whose
# properties take one list item each.
set(CUFFWARE_TEST_WINEPREFIX_SET "WINEPREFIX=set:${PROJECT_BINARY_DIR}/no-wine-prefix")

# cuffware_test(NAME SOURCES... DEPENDS libs...)
# One GoogleTest executable per folder of tests/, each test case a CTest test.
function(cuffware_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} cuffware_testsupport
                                        GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "CUFFWARE_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                       ENVIRONMENT_MODIFICATION "${CUFFWARE_TEST_WINEPREFIX_SET}")
endfunction()

# cuffware_console_program(TARGET)
# A program without Qt carries the C++ runtime inside it: a build starts the
# batch runner and the builder once each, and the dynamic loader's work on
# libstdc++ weighs on runs that last tens of milliseconds. MinGW builds link
# everything statically already (cmake/mingw-w64.cmake); the sanitizers
# bring runtimes of their own, so those builds keep the shared one.
function(cuffware_console_program target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT WIN32 AND NOT CUFFWARE_SANITIZE)
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
endfunction()
