# Helpers shared by every folder's CMakeLists.

# valdrune_library_headers(<name>): the include folder of the library built from the
# current src/ folder. Headers are included as "folder/File.h", as from src/, but the folder
# <build>/include/<name> shows only this library's own folder: a library sees its own headers
# and, through its public links, those of the libraries below it, so an include that runs up
# the layers (or sideways to a library it does not link) fails to build. A subfolder that is a
# library of its own (platform/qt) is left out of its parent's view.
function(valdrune_library_headers name)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(include_root ${PROJECT_BINARY_DIR}/include/${name})
  set(view ${include_root}/${folder})
  get_filename_component(view_parent ${view} DIRECTORY)
  file(MAKE_DIRECTORY ${view_parent})
  file(GLOB sublibraries LIST_DIRECTORIES false ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  if(NOT sublibraries)
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${view} SYMBOLIC)
  else()
    # One link per header, so the sublibraries' folders stay out; a new header re-runs this.
    file(MAKE_DIRECTORY ${view})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    foreach(header ${headers})
      get_filename_component(header_name ${header} NAME)
      file(CREATE_LINK ${header} ${view}/${header_name} SYMBOLIC)
    endforeach()
  endif()
  target_include_directories(${name} PUBLIC ${include_root})
endfunction()

# valdrune_library(<name> SOURCES ... DEPS ...): one static library per src/ folder.
function(valdrune_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  valdrune_library_headers(${name})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# valdrune_test(<name> [X11] SOURCES ... DEPS ...): one GoogleTest program per tests/ folder,
# each case registered with CTest and run without a display (X11: on the display given).
function(valdrune_test name)
  cmake_parse_arguments(ARG "X11" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  if(NOT ARG_SOURCES MATCHES "main\\.cpp")
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    VALDRUNE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VALDRUNE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
  if(ARG_X11)
    # Needs a real X server with a window manager: scripts/run-x-tests.sh runs the
    # tests labelled x11 under Xvfb and openbox; elsewhere they skip.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS x11)
  else()
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

# valdrune_fuzz(<name> SOURCES ... DEPS ...): a fuzz target. It always builds as a plain
# program that feeds every file named on its command line to LLVMFuzzerTestOneInput; with
# VALDRUNE_LIBFUZZER it also builds as a libFuzzer binary <name>_libfuzzer.
function(valdrune_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;CORPUS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  if(VALDRUNE_TESTS AND ARG_CORPUS)
    add_test(NAME ${name}_replay
      COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${name}> -DCORPUS=${ARG_CORPUS}
              -P ${PROJECT_SOURCE_DIR}/cmake/ReplayCorpus.cmake)
  endif()
  if(VALDRUNE_LIBFUZZER)
    add_executable(${name}_libfuzzer ${ARG_SOURCES})
    target_compile_options(${name}_libfuzzer PRIVATE -fsanitize=fuzzer)
    target_link_options(${name}_libfuzzer PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name}_libfuzzer PRIVATE ${ARG_DEPS})
    add_dependencies(fuzz_libfuzzers ${name}_libfuzzer)
  endif()
endfunction()
