# One static library per source folder: every .cpp/.h in it is part of it, so adding a
# file needs no change to a CMakeLists. A folder of headers alone is an INTERFACE library.
function(turnwise_module name dir)
  cmake_parse_arguments(TM "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  file(GLOB compiled CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT compiled)
    add_library(${name} INTERFACE ${sources})
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${TM_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${TM_DEPS} PRIVATE turnwise_build_flags)
endfunction()

# One GoogleTest executable per test folder, discovered by CTest before the run (so the
# build never needs a display). PROPERTIES adds test properties to each of its tests;
# LAUNCHER names a program that runs it (and its listing) in its stead.
function(turnwise_tests name dir)
  cmake_parse_arguments(TT "" "LAUNCHER" "DEPS;PROPERTIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE turnwise_build_flags turnwise_test_support ${TT_DEPS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TURNWISE_OUTPUT_DIR})
  if(TT_LAUNCHER)
    # Read when the tests are declared; newer CMake reads TEST_LAUNCHER instead.
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR ${TT_LAUNCHER} TEST_LAUNCHER ${TT_LAUNCHER})
  endif()
  if(TT_PROPERTIES)
    set(properties PROPERTIES ${TT_PROPERTIES})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${TURNWISE_OUTPUT_DIR} ${properties})
endfunction()
