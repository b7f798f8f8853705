# dryer_fuzz_target(name SOURCES s... LIBS l... CORPUS dir)
# The source defines LLVMFuzzerTestOneInput. With DRYER_FUZZ (clang) it becomes
# a libFuzzer program; in the test build it is linked with a replay main and
# CTest feeds it every file of the seed corpus, so found inputs stay fixed.
function(dryer_fuzz_target name)
    cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
    if(DRYER_FUZZ)
        add_executable(${name} ${F_SOURCES})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_libraries(${name} PRIVATE ${F_LIBS})
    elseif(DRYER_BUILD_TESTS)
        add_executable(${name}_replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
        target_link_libraries(${name}_replay PRIVATE ${F_LIBS})
        dryer_warnings(${name}_replay)
        add_test(NAME ${name}_replay COMMAND ${name}_replay ${F_CORPUS})
        set_tests_properties(${name}_replay PROPERTIES LABELS "fuzz-replay" TIMEOUT 600)
    endif()
endfunction()
