# Installs the Debian 12 packages that the build needs, when any is missing.
# Sourced by test.sh and run.sh; runs apt-get as root, through sudo otherwise.

nimbrel_packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  qt6-base-dev libgl-dev libfontconfig-dev
  libstb-dev nlohmann-json3-dev libgif-dev libimagequant-dev
  libpng-dev
  imagemagick chromium-headless-shell
  vim-nox neovim
  xvfb xauth xdotool xclip
  dbus dbus-x11 weston qt6-wayland qt6-translations-l10n
  fonts-ipafont-gothic
  desktop-file-utils appstream man-db file dpkg-dev lintian
  python3 time
)

install_deps() {
  local missing=()
  for p in "${nimbrel_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
