# Cross build for Windows x86_64 with MinGW-w64 and the Qt prefix /opt/ocai-mingw
# (`make check-windows-build` unpacks it). Programs of the build (sample encryption, test
# discovery, ctest) run under Wine, in a Wine prefix of the build tree's own.
include(/opt/ocai-mingw/mingw-w64-x86_64.cmake)
list(APPEND CMAKE_FIND_ROOT_PATH /opt/ocai-mingw)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
# Without it pkg-config would answer with the host's xlsxwriter and qrencode.
set(ENV{PKG_CONFIG_LIBDIR} /opt/ocai-mingw/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;${CMAKE_BINARY_DIR}/wine")
