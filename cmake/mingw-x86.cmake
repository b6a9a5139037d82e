# Cross build for 32-bit Windows with MinGW-w64 (i686-w64-mingw32).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Plain double precision in SSE registers, as on x86-64: the x87 unit's wider
# registers would change the sub-step leftovers and so the pulse counts.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
