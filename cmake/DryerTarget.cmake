# Helpers shared by every subsystem's CMakeLists.txt.

# dryer_warnings(target): our own code builds with all warnings on, and with
# warnings as errors when DRYER_WERROR is set (the test builds set it; a
# user's build of any type must not fail on a new compiler's false warning).
function(dryer_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
    if(DRYER_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# dryer_add_subdirs(dir): adds dir itself when it has a CMakeLists.txt,
# otherwise each direct sub-folder that has one, in name order.
function(dryer_add_subdirs dir)
    set(full ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    if(EXISTS ${full}/CMakeLists.txt)
        add_subdirectory(${dir})
        return()
    endif()
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${full} ${full}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${full}/${child} AND EXISTS ${full}/${child}/CMakeLists.txt)
            add_subdirectory(${dir}/${child})
        endif()
    endforeach()
endfunction()

# dryer_gtest(name LIBS a b ... LABELS l ... SOURCES s ...): one GoogleTest
# executable registered with CTest. Qt tests get the offscreen platform.
function(dryer_gtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    dryer_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DRYER_SOURCE_DIR=${PROJECT_SOURCE_DIR};DRYER_BINARY_DIR=${PROJECT_BINARY_DIR}"
        TIMEOUT 600)
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

# dryer_add_child_dirs(): adds each direct sub-folder of the current source
# folder that has a CMakeLists.txt, in name order.
function(dryer_add_child_dirs)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()

# dryer_screen(name MODEL a.cpp ... MODEL_LIBS ... WIDGETS b.cpp ... LIBS ...):
# a screen's library pair. name_model holds what the screen shows, computed
# without Qt (built in every build); name holds its widgets on the kit and
# links the model (Qt builds only).
function(dryer_screen name)
    cmake_parse_arguments(S "" "" "MODEL;MODEL_LIBS;WIDGETS;LIBS" ${ARGN})
    if(S_MODEL)
        add_library(${name}_model STATIC ${S_MODEL})
        target_include_directories(${name}_model PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name}_model PUBLIC dryer_link ${S_MODEL_LIBS})
        dryer_warnings(${name}_model)
    endif()
    if(DRYER_WITH_QT AND S_WIDGETS)
        add_library(${name} STATIC ${S_WIDGETS})
        target_link_libraries(${name} PUBLIC dryer_kit ${S_LIBS})
        if(S_MODEL)
            target_link_libraries(${name} PUBLIC ${name}_model)
        endif()
        dryer_warnings(${name})
    endif()
endfunction()
