# Shared by scripts/play and scripts/test: installs what the game needs from Debian's archive.
# Sourced, not run.

VARGO_PACKAGES=(
    cmake ninja-build g++ pkg-config python3 python3-pil
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libgl-dev
    libfluidsynth-dev timgm6mb-soundfont
    fonts-ipafont-gothic
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    nlohmann-json3-dev
    clang libclang-rt-14-dev clang-format clang-tidy
)

vargo_install() {
    local wanted=("${VARGO_PACKAGES[@]}" "$@")
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        echo "==> All packages present."
        return 0
    fi
    echo "==> Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo="sudo"
        else
            echo "error: need root or sudo to install ${missing[*]}" >&2
            return 1
        fi
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
