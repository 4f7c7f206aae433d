# Helpers shared by the folders' CMakeLists.

# lumivelle_add_test(<name> LABEL <label> SOURCES <files...> LIBS <targets...> [GUI])
# One GoogleTest executable; GUI tests run on the offscreen platform.
function(lumivelle_add_test name)
  cmake_parse_arguments(T "GUI" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    LUMIVELLE_FIXTURES="${PROJECT_SOURCE_DIR}/../shared/fixtures"
    LUMIVELLE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    LUMIVELLE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(env "QT_QPA_PLATFORM=offscreen")
  gtest_discover_tests(${name}
    PROPERTIES LABELS "${T_LABEL}" ENVIRONMENT "${env}"
    DISCOVERY_TIMEOUT 60)
endfunction()

# lumivelle_add_fuzzer(<name> SOURCES <files...> LIBS <targets...> CORPUS <dirs...>)
# With LUMIVELLE_FUZZ the target is a libFuzzer binary; otherwise it is a plain program
# that feeds every file of its corpus folders to the same entry point, run by CTest.
function(lumivelle_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;CORPUS" ${ARGN})
  if(LUMIVELLE_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  endif()
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  if(NOT LUMIVELLE_FUZZ)
    add_test(NAME ${name}_replay COMMAND ${name} ${F_CORPUS})
    set_tests_properties(${name}_replay PROPERTIES LABELS fuzz ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()
