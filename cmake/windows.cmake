# The plug-in, a probe DLL built from the same objects, and the stand-in host.
# They all land in one folder, rig/, where the stand-in loads the plug-in from.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/rig)
set(DISPORA_WIN32_SOURCES
    core/fault_report.cpp
    core/guard.cpp
    core/guard_x86.S
    core/host_changes.cpp
    core/host_build.cpp
    core/host_slots.cpp
    core/log.cpp
    core/log_file.cpp
    core/patching.cpp
    core/single_copy.cpp
    core/system_files.cpp
    display/deferred_mode.cpp
    display/display_menu.cpp
    display/host_state.cpp
    display/immediate_mode.cpp
    display/mode_choice.cpp
    display/mode_dialog.cpp
    display/mode_in_use.cpp
    window/backdrop.cpp
    window/cursor.cpp
    window/dpi_awareness.cpp
    window/full_screen_switch.cpp
    window/host_window.cpp
    window/mouse_clip.cpp
    window/remembered_window.cpp
    window/system_window.cpp
    window/taskbar.cpp
    window/window_hook.cpp
    window/window_sizing.cpp
    ddraw/exports_x86.S
    ddraw/system_ddraw.cpp
    settings/config_open.cpp
    settings/settings_start.cpp
    plugin/plugin.cpp)

# msvcrt's own printf family keeps the DLL small.
set(DISPORA_DEFINES __USE_MINGW_ANSI_STDIO=0 _WIN32_WINNT=0x0501 WIN32_LEAN_AND_MEAN)
# Arguments pushed rather than stored take a tenth off the code. Pushing
# needs the stack probe off, so no frame may reach the 4 KiB guard page: the
# frame-size warning (an error) keeps it that way, and the two files whose
# buffers need the probe keep the default code: core/log.cpp (a line with
# its wide and ANSI forms) and core/system_files.cpp (a rename takes two
# wide paths). Windows keeps the stack 4-byte aligned, and
# nothing walks frame pointers (the guard saves and restores its own), so
# neither costs code. Nothing here is hot
# (a window message at most): -Oz, with helpers called once kept as calls
# and no tail calls, is the smallest code (about 1 KiB less than -Os). Each
# file's functions share one code section: a section per function would pad
# every function to 4 bytes, more than the unused ones it would let the
# linker drop.
set(DISPORA_CXX_FLAGS -Oz -fno-inline-functions-called-once -fno-optimize-sibling-calls
    -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -mno-accumulate-outgoing-args -mno-stack-arg-probe -Wframe-larger-than=3072
    -mpreferred-stack-boundary=2 -fomit-frame-pointer)
set_source_files_properties(core/log.cpp core/system_files.cpp PROPERTIES
    COMPILE_OPTIONS "-maccumulate-outgoing-args;-mstack-arg-probe;-Wframe-larger-than=8192")
# No libgcc or libstdc++ DLLs beside the game: the runtime parts are linked in.
set(DISPORA_LINK_FLAGS -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s
    -Wl,--enable-stdcall-fixup)

add_library(dispora_objects OBJECT ${DISPORA_PORTABLE_SOURCES} ${DISPORA_WIN32_SOURCES})
target_include_directories(dispora_objects PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(dispora_objects PUBLIC ${DISPORA_DEFINES} DISPORA_BANNER_VERSION="${DISPORA_BANNER_VERSION}")
target_compile_options(dispora_objects PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:${DISPORA_WARNINGS} ${DISPORA_CXX_FLAGS}>)

# The plug-in enters at DllMain with no C runtime start-up: it has no static
# constructors, thread-local data or auto-imported data for that code to set
# up, and leaving it out saves a third of the file. msvcrt.dll sets itself up.
set(DISPORA_ENTRY_FLAGS -nostartfiles -Wl,--entry,_DllMain@12)

function(dispora_dll target def_file)
    add_library(${target} SHARED ${ARGN} ${def_file})
    target_link_libraries(${target} PRIVATE dispora_objects user32)
    target_link_options(${target} PRIVATE ${DISPORA_LINK_FLAGS} ${DISPORA_ENTRY_FLAGS})
    set_target_properties(${target} PROPERTIES PREFIX "")
endfunction()

# The version resource, from the one project version: 1.0.1 is file and
# product version 1.0.1.0.
set(DISPORA_FILE_VERSION "${PROJECT_VERSION}.0")
set(DISPORA_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
configure_file(packaging/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)
dispora_dll(dispora ddraw/dispora.def ${CMAKE_BINARY_DIR}/version.rc)
set_target_properties(dispora PROPERTIES OUTPUT_NAME dispora SUFFIX ".asi")

# The same plug-in with test-only exports that reach its internals.
dispora_dll(dispora_probe tests/host/probe.def tests/host/probe_exports.cpp)
target_compile_options(dispora_probe PRIVATE ${DISPORA_WARNINGS} ${DISPORA_CXX_FLAGS})

add_subdirectory(tests/host)

# The player package: the plug-in, a sample dispora.ini, the guide and the
# licence, in one zip. The texts get Windows line ends on the way (Notepad
# before Windows 10 1809 shows a text with bare line feeds as one line), and
# the guide names the version.
install(TARGETS dispora RUNTIME DESTINATION . LIBRARY DESTINATION .)
foreach(text packaging/dispora.ini packaging/PLAYERS.txt LICENSE)
    get_filename_component(name ${text} NAME_WE)
    get_filename_component(extension ${text} EXT)
    if(NOT extension)
        set(extension .txt)  # a name Windows opens in a text editor
    endif()
    configure_file(${text} ${CMAKE_BINARY_DIR}/package/${name}${extension} @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${CMAKE_BINARY_DIR}/package/${name}${extension} DESTINATION .)
endforeach()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME dispora)
set(CPACK_PACKAGE_FILE_NAME dispora-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
