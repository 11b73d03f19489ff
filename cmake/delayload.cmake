# Start-up speed: the system DLLs that only some actions need (the shell for
# the launch, drops and the folder picker, the common dialogs, COM, the
# common controls of the version window, and the version resource reader
# that OK uses for WinMerge) are loaded when first used instead of at start.
# Each cmake/delayload/<dll>.def lists the functions the program takes from
# that DLL, with their i686 argument sizes. A function missing
# there is imported the usual way, and the test script's import check then
# fails. (With MSVC: /DELAYLOAD:<dll>.)
#
# i686 GNU ld drops the .text section of an import library member whose
# symbol nothing calls directly (binutils bug 14339). Code that calls
# through __imp_<name>, as every declspec(dllimport) declaration does, then
# leaves the member's IAT slot pointing at the dropped delay-load thunk, and
# the first call jumps to address 0. Marking each thunk symbol as undefined
# (-u) keeps its section. x86_64 ld has no such rule.
function(pelorin_delay_load target)
    set(libs)
    set(keep)
    foreach(dll ${ARGN})
        set(def ${CMAKE_SOURCE_DIR}/cmake/delayload/${dll}.def)
        set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}-delay.a)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            # No argument sizes in 64-bit names.
            set(def64 ${CMAKE_BINARY_DIR}/delayload/${dll}.def)
            add_custom_command(OUTPUT ${lib}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
                COMMAND sed "s/@[0-9]*$//" ${def} > ${def64}
                COMMAND ${CMAKE_DLLTOOL} --input-def ${def64} --dllname ${dll}.dll --output-delaylib ${lib}
                DEPENDS ${def} VERBATIM)
        else()
            add_custom_command(OUTPUT ${lib}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
                COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
                DEPENDS ${def} VERBATIM)
            file(STRINGS ${def} exports REGEX "^[A-Za-z_][A-Za-z0-9_]*@[0-9]+$")
            foreach(name ${exports})
                list(APPEND keep "-Wl,-u,_${name}")
            endforeach()
        endif()
        list(APPEND libs ${lib})
    endforeach()
    add_custom_target(${target}_delayload DEPENDS ${libs})
    add_dependencies(${target} ${target}_delayload)
    # Before the usual import libraries on the link line, so they win.
    target_link_libraries(${target} PRIVATE ${libs})
    target_link_options(${target} PRIVATE ${keep})
endfunction()
