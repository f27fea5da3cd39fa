# Shared by scripts/run and scripts/test: install what is missing, then build.
# Sourced, not run.

CORVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CORVEL_BUILD="$CORVEL_ROOT/build"

# Debian 12 packages the build, the tests and the program need (node and php
# check and run the shipped script templates).
CORVEL_PACKAGES=(
  cmake ninja-build g++ ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n qt6-svg-dev qt6-image-formats-plugins
  libqt6svg6 fonts-liberation
  xvfb xauth xdotool desktop-file-utils
  qt6-webengine-dev
  dpkg-dev lintian appstream
  nodejs php-cli
)

# What scripts/fuzz needs besides: clang with libFuzzer and the sanitizers'
# runtime (only the fuzz tree uses them, so scripts/run does not install them).
CORVEL_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# corvel_install_packages [PACKAGE ...]: the project's packages and those given.
corvel_install_packages() {
  local missing=()
  local p
  for p in "${CORVEL_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Instalando pacotes: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# corvel_configure [CMAKE_OPTION ...]: configures $CORVEL_BUILD (Release
# unless it exists already or an option says otherwise).
corvel_configure() {
  local gen=()
  if [ ! -f "$CORVEL_BUILD/CMakeCache.txt" ]; then
    gen=(-G Ninja -DCMAKE_BUILD_TYPE=Release)
  fi
  cmake -S "$CORVEL_ROOT" -B "$CORVEL_BUILD" "${gen[@]}" "$@" >/dev/null
}

# corvel_build [CMAKE_OPTION ...]: configures $CORVEL_BUILD and builds
# everything in it.
corvel_build() {
  corvel_configure "$@"
  cmake --build "$CORVEL_BUILD" --parallel "$(nproc)"
}

# corvel_configure_fuzz DIR: configures the fuzz tree (clang, Debug so that
# assertions hold, every library instrumented) in DIR.
corvel_configure_fuzz() {
  if [ ! -f "$1/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$CORVEL_ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCORVEL_FUZZ=ON >/dev/null
  else
    cmake -S "$CORVEL_ROOT" -B "$1" >/dev/null
  fi
}
