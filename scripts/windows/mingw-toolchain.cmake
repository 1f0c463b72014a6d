# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers
# (posix thread model, needed for std::thread and Qt).
#
# The Windows dependencies built by build-deps.sh live in versioned folders
# of the cache; pass them as a list in TESSAFORM_WINDOWS_PREFIXES, either as
# a CMake variable (-DTESSAFORM_WINDOWS_PREFIXES="a;b;c") or in the
# environment (build-deps.sh writes env.sh into the cache with it).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSAFORM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSAFORM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSAFORM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSAFORM_MINGW_TRIPLE}-windres)

if(NOT DEFINED TESSAFORM_WINDOWS_PREFIXES AND DEFINED ENV{TESSAFORM_WINDOWS_PREFIXES})
  set(TESSAFORM_WINDOWS_PREFIXES "$ENV{TESSAFORM_WINDOWS_PREFIXES}")
endif()
# try_compile projects read this file again; hand the list on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSAFORM_WINDOWS_PREFIXES)

# Prefix paths are re-rooted into the find root, so the prefixes themselves
# are find roots.
set(CMAKE_FIND_ROOT_PATH /usr/${TESSAFORM_MINGW_TRIPLE} ${TESSAFORM_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The cross-built Qt runs its code generators (moc, rcc, uic) from the
# host's Qt, which must be the same version (Debian's qt6-base-dev).
if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Host Qt for the code generators")
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "CMake folder of the host Qt")
endif()
