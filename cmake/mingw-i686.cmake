# Cross build of the 32-bit Windows program with Debian's MinGW-w64 (i686).
# The posix thread flavour of the compiler is used: it is Debian's default
# alternative and the one whose libstdc++ has std::thread and std::mutex,
# which the headless tool's code may use; both flavours produce the same
# code for everything the game itself does.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(PINWICK_MINGW_PREFIX i686-w64-mingw32)
find_program(PINWICK_MINGW_CXX NAMES ${PINWICK_MINGW_PREFIX}-g++-posix ${PINWICK_MINGW_PREFIX}-g++ REQUIRED)
set(CMAKE_CXX_COMPILER ${PINWICK_MINGW_CXX})
set(CMAKE_RC_COMPILER ${PINWICK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PINWICK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# SSE2 doubles and no fused multiply-adds, so every double rounds exactly as
# on the 64-bit builds; Shift-JIS for the narrow texts of the "A" calls.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -ffp-contract=off -fexec-charset=CP932")
# Nothing to install on the player's Windows: no libgcc or libstdc++ DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
