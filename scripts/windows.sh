# Shared by scripts/build-windows and scripts/test-windows (after common.sh).
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                        googletest wixl zip)
# Wine's Recommends are needed here: the fonts of the dialogs and a metric twin of Arial.
WINDOWS_TEST_PACKAGES=(wine wine64 fonts-wine fonts-liberation xvfb xauth openbox x11-utils
                       xdotool wmctrl)

# Configured every time (it is cheap), so the options always hold.
configure_windows() {
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
    cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DRZV_BUILD_TESTS=ON -DRZV_WERROR=ON \
        "${launcher[@]}" >/dev/null
}
