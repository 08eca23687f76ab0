# The Wine test programs for 32-bit Wine: GoogleTest needs std::mutex, so
# the posix thread model. They load the shipped library, which keeps its own
# toolchain (mingw-i686.cmake).
set(OW_MINGW_PROCESSOR i686)
set(OW_MINGW_THREADS -posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
