# Run by CPack once the package's files are staged: every ELF file among
# them loses its .comment and .note sections (compiler versions and build
# notes, which the installed program does not need), as Debian's own
# packages do. Covers whatever programs the package holds.

if(NOT IS_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
    message(FATAL_ERROR "StripSections.cmake runs only from CPack, on its staged files")
endif()
find_program(VELLORA_OBJCOPY objcopy REQUIRED)
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS staged)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(COMMAND ${VELLORA_OBJCOPY} --remove-section=.comment --remove-section=.note "${file}"
                        RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "objcopy could not strip ${file}")
        endif()
    endif()
endforeach()
