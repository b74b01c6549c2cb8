# MinGW-w64 for TARNEL_MINGW_TRIPLE, set by the toolchain file that includes
# this, with the posix thread model: GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TARNEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNEL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARNEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static so that no MinGW DLL has to be on Wine's path.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
