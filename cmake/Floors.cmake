# vellora_floor(TARGET [NO_MOC] SOURCES files... LINKS targets...): one floor
# of the program (see CODING.md) as a static library. NO_MOC: a floor
# without QObject classes or resources, which Qt's code generators skip.
#
# A floor's headers are offered to the code above it through an include
# folder of its own in the build tree, which holds links to exactly the
# floor's headers under their usual names ("platform/Process.h"). A library
# sees its own folder and those of the floors it links, so a header of a
# floor it does not link, above all one of a higher floor, is not found and
# an upward include fails to build. Floors are declared from the bottom up,
# and a floor may only link floors declared before it.
function(vellora_floor target)
    cmake_parse_arguments(PARSE_ARGV 1 floor "NO_MOC" "" "SOURCES;LINKS")
    get_property(below GLOBAL PROPERTY VELLORA_FLOORS)
    foreach(link IN LISTS floor_LINKS)
        if(link MATCHES "^vellora_" AND NOT link IN_LIST below)
            message(FATAL_ERROR "Floor ${target} links ${link}, which is not a floor below it")
        endif()
    endforeach()
    set_property(GLOBAL APPEND PROPERTY VELLORA_FLOORS ${target})

    add_library(${target} STATIC ${floor_SOURCES})
    if(floor_NO_MOC)
        set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF)
    endif()
    set(include_root ${CMAKE_BINARY_DIR}/floors/${target})
    file(REMOVE_RECURSE ${include_root})
    foreach(source IN LISTS floor_SOURCES)
        if(source MATCHES "^src/(.*\\.h)$")
            set(link ${include_root}/${CMAKE_MATCH_1})
            get_filename_component(folder ${link} DIRECTORY)
            file(MAKE_DIRECTORY ${folder})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${source} ${link} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${include_root})
    target_link_libraries(${target} PUBLIC ${floor_LINKS})
endfunction()
