# The layers of src/, each a library that links only what lies below it. rzv_layer() records
# which folders a layer may include; check_layers.cmake, run on every build, refuses an include
# of any other folder, so an upward or sideways include fails the build even when it would link.
set_property(GLOBAL PROPERTY RZV_LAYER_RULES "")

# rzv_layer_rules(FOLDERS <folders of one layer> MAY_INCLUDE <folders below>)
function(rzv_layer_rules)
    cmake_parse_arguments(L "" "" "FOLDERS;MAY_INCLUDE" ${ARGN})
    foreach(folder IN LISTS L_FOLDERS)
        string(REPLACE ";" "," allowed "${folder};${L_MAY_INCLUDE}")
        set_property(GLOBAL APPEND PROPERTY RZV_LAYER_RULES "${folder}=${allowed}")
    endforeach()
endfunction()

# rzv_layer(TARGET [FOLDERS ... MAY_INCLUDE ...] [LINKS <libraries below>] [SOURCES ...])
function(rzv_layer target)
    cmake_parse_arguments(L "" "" "FOLDERS;MAY_INCLUDE;SOURCES;LINKS" ${ARGN})
    if(L_SOURCES)
        add_library(${target} STATIC ${L_SOURCES})
        set(scope PUBLIC)
    else()
        add_library(${target} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR}/src)
    if(L_LINKS)
        target_link_libraries(${target} ${scope} ${L_LINKS})
    endif()
    if(L_FOLDERS)
        rzv_layer_rules(FOLDERS ${L_FOLDERS} MAY_INCLUDE ${L_MAY_INCLUDE})
    endif()
endfunction()

# Adds the check as a step that every build runs before compiling.
function(rzv_check_layers)
    get_property(rules GLOBAL PROPERTY RZV_LAYER_RULES)
    string(REPLACE ";" "|" rules "${rules}")
    add_custom_target(layer_check ALL
        COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/src "-DRULES=${rules}"
                -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
        COMMENT "Checking that each layer includes only what lies below it"
        VERBATIM)
endfunction()
