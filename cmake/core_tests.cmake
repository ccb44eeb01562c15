# A test executable of the core (no Qt) that may run the built tarnwick-res, named to it
# by TARNWICK_RES. In a cross build the tests see the build folder through wine's drive Z:,
# and since every wine start costs seconds, the whole executable is one test.
function(tarnwick_core_tests target test_name)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    add_dependencies(${target} tarnwick-res)
    if(CMAKE_CROSSCOMPILING)
        target_compile_definitions(${target} PRIVATE TARNWICK_RES="Z:$<TARGET_FILE:tarnwick-res>")
        add_test(NAME ${test_name} COMMAND ${target} --gtest_brief=1)
    else()
        target_compile_definitions(${target} PRIVATE TARNWICK_RES="$<TARGET_FILE:tarnwick-res>")
        gtest_discover_tests(${target})
    endif()
endfunction()
