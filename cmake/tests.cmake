# Registers a GoogleTest executable with CTest. Natively each test is its own CTest test;
# in a cross build for Windows every wine start costs seconds, so each executable is one
# CTest test that runs all of its tests.
#   tarnwick_add_tests(TARGET [PROPERTIES ...])
function(tarnwick_add_tests target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
        if(ARGN)
            set_tests_properties(${target} ${ARGN})
        endif()
    else()
        gtest_discover_tests(${target} ${ARGN})
    endif()
endfunction()

# Tells the test executable TARGET where the built tarnwick-res is (TARNWICK_RES), for
# tests that run it as a user would; in a cross build the tests see the build folder
# through wine's drive Z:.
function(tarnwick_tests_run_res target)
    add_dependencies(${target} tarnwick-res)
    if(CMAKE_CROSSCOMPILING)
        target_compile_definitions(${target} PRIVATE TARNWICK_RES="Z:$<TARGET_FILE:tarnwick-res>")
    else()
        target_compile_definitions(${target} PRIVATE TARNWICK_RES="$<TARGET_FILE:tarnwick-res>")
    endif()
endfunction()
