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
