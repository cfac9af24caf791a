# Shared by scripts/run and scripts/test: package installation and the build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

missing_packages() {
    local pkgs missing=()
    pkgs=$(grep -v '^\s*#' "$ROOT/scripts/packages.txt" | grep -v '^\s*$')
    for p in $pkgs; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    echo "${missing[@]:-}"
}

install_packages() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
}

# The build directory: build/ unless CORVANE_BUILD_DIR names another one.
BUILD_DIR="${CORVANE_BUILD_DIR:-$ROOT/build}"

# build DIR [extra cmake args...]; BUILD_TARGET limits the build to the targets it
# names (separated by blanks).
build_tree() {
    local dir="$1"; shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
    if [ -n "${BUILD_TARGET:-}" ]; then
        # shellcheck disable=SC2086 # one word per target
        cmake --build "$dir" -j"$(nproc)" --target $BUILD_TARGET
    else
        cmake --build "$dir" -j"$(nproc)"
    fi
}
