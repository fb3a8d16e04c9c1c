# Fails when a portable source includes <windows.h> or the Win32 control wrappers (ui/).
# The portable sources: the core, the Persian code page, the window rules, and the platform
# layer's POSIX half and its interface. Run as cmake -DSOURCE_DIR=src -P this-file.
file(GLOB_RECURSE portable
  ${SOURCE_DIR}/UnitDitionary.*
  ${SOURCE_DIR}/persian/*.h ${SOURCE_DIR}/persian/*.cpp
  ${SOURCE_DIR}/rules/*.h ${SOURCE_DIR}/rules/*.cpp
  ${SOURCE_DIR}/platform/ReadOnlyFile.h ${SOURCE_DIR}/platform/ReadOnlyFile.cpp
  ${SOURCE_DIR}/platform/ReadOnlyFile_posix.cpp
  ${SOURCE_DIR}/platform/NewFile.h ${SOURCE_DIR}/platform/NewFile_posix.cpp)
set(faults "")
foreach(file IN LISTS portable)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](windows\\.h|ui/)")
  if(includes)
    string(APPEND faults "\n  ${file}: ${includes}")
  endif()
endforeach()
if(faults)
  message(FATAL_ERROR "Portable sources include Win32:${faults}")
endif()
