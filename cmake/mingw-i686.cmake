# The shipped library: 32-bit Windows, Debian's default mingw-w64 (the
# posix-free win32 thread model).
set(OW_MINGW_PROCESSOR i686)
set(OW_MINGW_THREADS "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
