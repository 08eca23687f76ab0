# What the mingw-w64 toolchain files share; each sets OW_MINGW_PROCESSOR and
# OW_MINGW_THREADS (the compiler name's suffix: empty for Debian's default,
# the win32 thread model, or -posix) and includes this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${OW_MINGW_PROCESSOR})
set(OW_MINGW ${OW_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${OW_MINGW}-gcc${OW_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${OW_MINGW}-g++${OW_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${OW_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${OW_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
