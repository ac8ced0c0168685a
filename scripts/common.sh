# Shared by scripts/run and scripts/test: installs whatever Debian packages are missing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev fonts-liberation)

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
}

# configure_and_build DIR BUILD_TYPE [CMAKE OPTIONS...]
# Configures every time, with exactly the options this command needs (cheap when nothing
# changed), so a folder configured by another command is never reused as it was.
configure_and_build() {
    local dir=$1 type=$2
    shift 2
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    cmake --build "$dir"
}

# configure_and_build_targets DIR BUILD_TYPE "TARGETS..." [CMAKE OPTIONS...]: the same, building
# only the targets named.
configure_and_build_targets() {
    local dir=$1 type=$2 targets=$3
    shift 3
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    # shellcheck disable=SC2086  # the targets are words
    cmake --build "$dir" --target $targets
}
