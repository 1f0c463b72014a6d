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

# ensure_locales NAME...: generates the glibc locales (ja_JP.UTF-8 ...) that
# are missing. Wine takes the Windows code page from the Unix locale only
# when that locale exists; an ungenerated ja_JP.UTF-8 runs as the C locale.
ensure_locales() {
  local missing=()
  local name
  for name in "$@"; do
    # locale -a spells "ja_JP.UTF-8" as "ja_JP.utf8".
    if ! locale -a 2>/dev/null | grep -qix "${name%%.*}.utf-\?8"; then
      missing+=("$name")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  ensure_packages locales
  echo "Generating locales: ${missing[*]}" >&2
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  for name in "${missing[@]}"; do
    # Listed in locale.gen, so that a later locale-gen keeps them.
    if grep -q "^# *$name UTF-8" /etc/locale.gen; then
      "${sudo[@]}" sed -i "s/^# *\($name UTF-8\)/\1/" /etc/locale.gen
    elif ! grep -q "^$name UTF-8" /etc/locale.gen; then
      echo "$name UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
  done
  "${sudo[@]}" locale-gen --keep-existing >/dev/null
}

# The cmake option that puts a developer's ccache, when there is one, in
# front of the compiler: it shares objects between trees. With precompiled
# headers ccache hits only when it may ignore the header's fresh time stamp
# and the macros the compiler defines for it; the setting goes in through
# env, added to the developer's own.
compiler_launcher() {
  if command -v ccache >/dev/null 2>&1; then
    local sloppiness
    sloppiness=$(ccache --get-config sloppiness 2>/dev/null || true)
    sloppiness=${sloppiness:+$sloppiness,}pch_defines,time_macros,include_file_mtime,include_file_ctime
    echo "-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_SLOPPINESS=$sloppiness;ccache"
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
