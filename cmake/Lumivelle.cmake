# Helpers shared by the folders' CMakeLists.

# The shared test pictures, EXIF files and sounds live beside the project, in
# ../shared/fixtures; a clone elsewhere finds them through LUMIVELLE_FIXTURES (cache or
# environment).
set(LUMIVELLE_FIXTURES_DIR "" CACHE PATH "Folder of the shared test fixtures")
if(NOT LUMIVELLE_FIXTURES_DIR)
  foreach(candidate "$ENV{LUMIVELLE_FIXTURES}" "${PROJECT_SOURCE_DIR}/../shared/fixtures")
    if(candidate AND EXISTS "${candidate}/MANIFEST.md")
      get_filename_component(found "${candidate}" ABSOLUTE)
      set(LUMIVELLE_FIXTURES_DIR "${found}" CACHE PATH "Folder of the shared test fixtures" FORCE)
      break()
    endif()
  endforeach()
endif()
if(NOT LUMIVELLE_FIXTURES_DIR)
  message(WARNING "Test fixtures not found: set LUMIVELLE_FIXTURES to the shared fixtures folder")
  set(LUMIVELLE_FIXTURES_DIR "${PROJECT_SOURCE_DIR}/../shared/fixtures")
endif()

# lumivelle_add_test(<name> LABEL <label> SOURCES <files...> LIBS <targets...> [GUI])
# One GoogleTest executable; GUI tests run on the offscreen platform.
function(lumivelle_add_test name)
  cmake_parse_arguments(T "GUI" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/private_cache_home.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}) # shared test headers: "tests/..."
  target_compile_definitions(${name} PRIVATE
    LUMIVELLE_FIXTURES="${LUMIVELLE_FIXTURES_DIR}"
    LUMIVELLE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    LUMIVELLE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(env "QT_QPA_PLATFORM=offscreen")
  if(LUMIVELLE_SANITIZE)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/lsan_suppressions.cpp)
  endif()
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
    add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/lsan_suppressions.cpp)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    if(LUMIVELLE_SANITIZE)
      target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/lsan_suppressions.cpp)
    endif()
  endif()
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  if(NOT LUMIVELLE_FUZZ)
    add_test(NAME ${name}_replay COMMAND ${name} ${F_CORPUS})
    set_tests_properties(${name}_replay PROPERTIES LABELS fuzz ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()
