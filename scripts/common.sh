# Shared by ./test, ./run and .ci/run: installs the Debian 12 packages the
# build needs when any is missing, and configures and builds a tree.

TESSAFORM_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n qt6-l10n-tools
  libarchive-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # Stand-ins for the Windows faces skins name (platform/Fonts.cpp).
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-ipaexfont-gothic fonts-ipaexfont-mincho
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth imagemagick libxcb1-dev
  desktop-file-utils appstream libxml2-utils shared-mime-info dpkg-dev
)
TESSAFORM_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}" >&2
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# The cmake option that puts a developer's ccache, when there is one, in
# front of the compiler: it shares objects between trees.
compiler_launcher() {
  if command -v ccache >/dev/null 2>&1; then
    echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
  fi
}

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
  local dir=$1
  shift
  local launcher
  launcher=$(compiler_launcher)
  cmake -S . -B "$dir" -G Ninja ${launcher:+"$launcher"} "$@"
  cmake --build "$dir" -j "$(nproc)"
}
