# The Windows program, its tests under Wine, and the helper programs those
# tests start.
enable_language(RC)

# Tests run the Windows programs through Wine (64-bit builds only run here).
find_program(WINE_PROGRAM wine)
if(WINE_PROGRAM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()

if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE MinSizeRel CACHE STRING "" FORCE)
endif()
set(CMAKE_CXX_STANDARD 11)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

set(PELORIN_DEFINES WINVER=0x0600 _WIN32_WINNT=0x0600 _WIN32_IE=0x0600 STRICT NOMINMAX)
set(PELORIN_CXX_OPTIONS -Wall -Wextra -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -ffunction-sections -fdata-sections)

add_library(pelorin_core STATIC
    ${PELORIN_LOGIC_SOURCES}
    framework/AfxState.cpp
    framework/Wnd.cpp
    framework/Dialog.cpp
    framework/StringResource.cpp
    framework/WinApp.cpp
    framework/Profile.cpp
    framework/MessageBox.cpp
    framework/Help.cpp
    framework/Controls.cpp
    framework/FileDialog.cpp
    framework/DropFiles.cpp
    compare/CompareDlg.cpp
    compare/CompareDlgSettings.cpp
    compare/CompareDlgLaunch.cpp
    compare/CompareDlgLocator.cpp
    compare/CompareDlgPickers.cpp
    compare/FolderPicker.cpp
    compare/CompareDlgDrop.cpp
    compare/CompareDlgCommandLine.cpp
    compare/RecentPathCombo.cpp
    compare/RecentPathComboHistory.cpp
    compare/RecentPathComboCompletion.cpp
    about/VersionDlg.cpp
    about/WebLinkLabel.cpp
    about/WebPage.cpp
)
# A Unicode program: every text is UTF-16, every call the W form.
target_compile_definitions(pelorin_core PUBLIC ${PELORIN_DEFINES} UNICODE _UNICODE)
target_compile_options(pelorin_core PRIVATE ${PELORIN_CXX_OPTIONS})
target_link_libraries(pelorin_core PUBLIC shell32 comdlg32 comctl32 advapi32 user32 gdi32 ole32 version)

# mingw-w64's gcc links default-manifest.o (no Common Controls 6, no DPI
# awareness) into every program when the toolchain has one (Debian 12's has
# none). With res/Pelorin.manifest that makes two manifests, or one of them
# dropped, depending on how the linker merges the resources. An empty object
# of that name, found first through -B, keeps it out.
set(PELORIN_NO_DEFAULT_MANIFEST ${CMAKE_BINARY_DIR}/no-default-manifest)
file(MAKE_DIRECTORY ${PELORIN_NO_DEFAULT_MANIFEST})
execute_process(COMMAND ${CMAKE_C_COMPILER} -x c -c /dev/null -o ${PELORIN_NO_DEFAULT_MANIFEST}/default-manifest.o
                RESULT_VARIABLE no_default_manifest_result)
if(NOT no_default_manifest_result EQUAL 0)
    message(FATAL_ERROR "cannot make the empty default-manifest.o")
endif()
set(PELORIN_MANIFEST_LINK_OPTIONS -B${PELORIN_NO_DEFAULT_MANIFEST}/)

add_executable(Pelorin WIN32 app/LauncherApp.cpp framework/WinMain.cpp res/Pelorin.rc)
target_compile_options(Pelorin PRIVATE ${PELORIN_CXX_OPTIONS})
target_link_libraries(Pelorin PRIVATE pelorin_core)
# No link time in the header: the same sources give the same bytes, so that
# a release can be rebuilt and checked (scripts/release.sh).
target_link_options(Pelorin PRIVATE -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp
                    ${PELORIN_MANIFEST_LINK_OPTIONS})
include(cmake/delayload.cmake)
pelorin_delay_load(Pelorin shell32 comdlg32 ole32 comctl32 version)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/CMakeLists.txt)
    add_subdirectory(tests/wine)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/bench/wine/CMakeLists.txt)
    add_subdirectory(tests/bench/wine)
endif()

# windres does not report what the script includes.
set_source_files_properties(res/Pelorin.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/Pelorin.ico;${CMAKE_SOURCE_DIR}/res/Pelorin.manifest;${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/version.h")
