# The game for arm64 (aarch64) Debian, built on an amd64 Debian machine with Debian's cross
# compilers and the arm64 libraries (scripts/install-deps --arm64). Qt's code generators (moc,
# rcc, uic) are the machine's own, from the amd64 Qt; the arm64 test programs run under qemu-user,
# named here because binfmt_misc may not be there to start it by itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(MORVATH_TARGET_TRIPLET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${MORVATH_TARGET_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${MORVATH_TARGET_TRIPLET}-g++)

# Libraries and headers from the arm64 packages only; programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/lib/${MORVATH_TARGET_TRIPLET} /usr/${MORVATH_TARGET_TRIPLET})
set(CMAKE_LIBRARY_ARCHITECTURE ${MORVATH_TARGET_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(PKG_CONFIG_EXECUTABLE ${MORVATH_TARGET_TRIPLET}-pkg-config CACHE FILEPATH
    "pkg-config of the arm64 libraries")

# Qt's host tools: the amd64 Qt's CMake packages.
execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH
                OUTPUT_VARIABLE build_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET)
if(NOT build_multiarch)
  set(build_multiarch x86_64-linux-gnu)
endif()
set(QT_HOST_PATH /usr CACHE PATH "Prefix of the Qt that runs on the build machine")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake CACHE PATH
    "CMake packages of the Qt that runs on the build machine")

# The arm64 programs start with the dynamic loader of the arm64 C library they link,
# /lib/ld-linux-aarch64.so.1 from libc6:arm64 (-L /). The loader of the cross compiler's own copy
# (-L /usr/aarch64-linux-gnu, libc6-arm64-cross) is another build of the C library: with a
# libc.so.6 from a later libc6:arm64 update its view of the loader's data is off, and the first
# thread a program starts spins for ever in pthread_create (music, picture conversion in Qt's
# thread pool).
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static;-L;/)
