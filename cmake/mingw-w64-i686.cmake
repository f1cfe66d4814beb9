# Cross build for 32-bit Windows with MinGW-w64 (runs on 32-bit Windows and,
# through WoW64, on 64-bit Windows; 32-bit programs can load its exports).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QB_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGwToolchain.cmake)
