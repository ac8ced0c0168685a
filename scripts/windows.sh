# Shared by scripts/build-windows and scripts/test-windows (after common.sh).
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                        googletest wixl msitools zip)
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

# A throwaway Wine prefix in $WINEPREFIX (to remove, after `wineserver -k`), with one persistent
# wineserver detached from the caller's pipes (Wine's services would otherwise hold a test's
# output open for minutes), the TrueType fonts of fonts-wine (Debian's Wine does not load them)
# and Arial's metric twin. Sets $wine to the Wine loader.
start_wine_prefix() {
    export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    WINEPREFIX=$(mktemp -d /tmp/rzv-wine.XXXXXX)
    wine=/usr/lib/wine/wine64
    [ -x "$wine" ] || wine=wine64
    wineserver -p </dev/null >/dev/null 2>&1
    timeout 120 "$wine" wineboot --init </dev/null >/dev/null 2>&1
    ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    timeout 60 "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial \
        /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1
}
