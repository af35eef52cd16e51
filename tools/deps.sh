# Sourced by run.sh, test.sh and bench.sh: installs the Debian packages a step needs, only when missing.
need_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev)
# What the tests need besides: GoogleTest, an X server and its tools, PDF text, a Wayland compositor, window manager.
TEST_PACKAGES=(libgtest-dev libgmock-dev qt6-base-dev-tools xvfb xauth xclip xdotool x11-utils openbox poppler-utils qt6-wayland weston wl-clipboard)
