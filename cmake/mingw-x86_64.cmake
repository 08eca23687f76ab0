# 64-bit Windows: the same sources as the shipped PE32 library, for running
# the end-to-end tests under 64-bit Wine where 32-bit Wine cannot run.
set(OW_MINGW_PROCESSOR x86_64)
set(OW_MINGW_THREADS -posix)  # GoogleTest needs std::mutex
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
