# Cross-building for 64-bit Windows with Debian's mingw-w64 (posix threads), as
# scripts/test-windows.sh does. MIRVANE_WINDOWS_PREFIX names the folders (a CMake list)
# that hold the libraries built for Windows (GoogleTest, Qt, libzip) and the header-only
# ones.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_STRIP x86_64-w64-mingw32-strip)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $ENV{MIRVANE_WINDOWS_PREFIX} ${MIRVANE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config (libzip) must find only what was built for Windows, never the Linux
# libraries of the build machine.
set(windows_pkgconfig "")
foreach(root IN LISTS CMAKE_FIND_ROOT_PATH)
  list(APPEND windows_pkgconfig ${root}/lib/pkgconfig)
endforeach()
list(JOIN windows_pkgconfig ":" windows_pkgconfig)
set(ENV{PKG_CONFIG_LIBDIR} "${windows_pkgconfig}")
set(ENV{PKG_CONFIG_PATH} "")

# The executables carry their C and C++ runtimes, so they run without DLLs beside them.
# The desktop program's build (MIRVANE_WINDOWS_SHARED_RUNTIME=ON) shares the runtime DLLs
# that Qt's DLLs need anyway: one C++ runtime in the process.
if(NOT MIRVANE_WINDOWS_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
