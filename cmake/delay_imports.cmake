# Import libraries whose DLLs load at their first call rather than with the
# program: the shell and the common dialogs serve a dialog, a link's icon or
# the tray, never the bar's first paint, and loading them costs the start
# several more DLLs. Each .def lists the functions the program calls; one
# left out is imported the usual way (the system libraries stay on the link
# line), and the bench's list of modules loaded before the first paint shows
# its DLL back.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delay)
foreach(dll shell32 comdlg32)
  set(def ${CMAKE_CURRENT_LIST_DIR}/delay/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${lib}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}")
  endif()
  add_library(${dll}_delay STATIC IMPORTED GLOBAL)
  set_target_properties(${dll}_delay PROPERTIES IMPORTED_LOCATION ${lib})
endforeach()
