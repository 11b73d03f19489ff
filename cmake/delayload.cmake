# Start-up speed: the system DLLs that only some actions need (the shell for
# the launch, drops and the folder picker, the common dialogs, COM and the
# common controls of the version window) are loaded when first used instead
# of at start. Each cmake/delayload/<dll>.def lists the functions the program
# takes from that DLL, with their i686 argument sizes; a function missing
# there is simply imported the usual way. (With MSVC: /DELAYLOAD:<dll>.)
function(pelorin_delay_load target)
    set(libs)
    foreach(dll ${ARGN})
        set(def ${CMAKE_SOURCE_DIR}/cmake/delayload/${dll}.def)
        set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}-delay.a)
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
        endif()
        list(APPEND libs ${lib})
    endforeach()
    add_custom_target(${target}_delayload DEPENDS ${libs})
    add_dependencies(${target} ${target}_delayload)
    # Before the usual import libraries on the link line, so they win.
    target_link_libraries(${target} PRIVATE ${libs})
endfunction()
