# Shared by run.sh and test.sh: install what is missing, configure and build one preset.
# Sourced, not run.

# Debian packages the program, its tests and its benchmarks need. fluid is needed only because
# Debian's FLTK CMake package refuses to load without it.
KESTROVA_PACKAGES=(
    g++ cmake make pkg-config
    libfltk1.3-dev fluid libx11-dev
    libgl1-mesa-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0
    libfreetype-dev libfontconfig-dev fontconfig fonts-liberation
    libgtest-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick
)

ensure_packages() {
    local missing=() pkg
    for pkg in "${KESTROVA_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# configure_and_build PRESET: reuses build/PRESET when it exists, so a second call is quick.
configure_and_build() {
    local preset=$1
    cmake --preset "$preset" -DKESTROVA_WERROR="${KESTROVA_WERROR:-OFF}" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
}
