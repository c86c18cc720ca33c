# The Windows programs of both calculators, statically linked so that they
# run on a bare Windows.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(WINDOWS_STATIC_LINK -static -static-libgcc -static-libstdc++)

# add_windows_program(NAME SOURCE RC ICON_COLOUR LOGIC): the dialog program
# NAME.exe from its entry SOURCE and resource script RC, with a generated
# icon of the given palette colour, on the command library LOGIC.
function(add_windows_program name source rc colour logic)
  string(TOLOWER ${name} lower)
  set(icon ${CMAKE_CURRENT_BINARY_DIR}/${lower}.ico)
  add_custom_command(OUTPUT ${icon}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/make_icon.py ${icon} ${colour}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_icon.py)
  add_executable(${name} WIN32 ${source} ${rc} ${icon})
  # The resource script takes in the program's manifest, which the build
  # does not see by itself.
  string(REPLACE ".rc" ".manifest" manifest ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${manifest})
  # The resource script finds its icon in the build folder and the field
  # table by its path from the project root.
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${logic} win32_dialog)
  target_link_options(${name} PRIVATE -mwindows ${WINDOWS_STATIC_LINK})
endfunction()

# add_windows_console_program(NAME SOURCE LOGIC): the console front end
# NAME.exe of a calculator, for scripts on Windows, on the command library
# LOGIC.
function(add_windows_console_program name source logic)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${logic} console_program)
  target_link_options(${name} PRIVATE ${WINDOWS_STATIC_LINK})
endfunction()
