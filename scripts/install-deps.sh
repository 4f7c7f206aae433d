#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the programs need (chromium
# and python3-websocket open the web galleries in the browser tests).
# Idempotent: packages already present are not fetched again; the package lists are
# refreshed only when something is missing. Pass --bench to add the peer tools the
# benchmark scripts compare against, --fuzz for the libFuzzer compiler.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n
  qt6-image-formats-plugins qt6-l10n-tools
  libjpeg62-turbo-dev libpng-dev libtiff-dev libgif-dev zlib1g-dev
  fonts-liberation2 fontconfig
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fp-utils libchm-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xauth xvfb imagemagick desktop-file-utils libimage-exiftool-perl
  chromium python3-websocket
)
for arg in "$@"; do
  case "$arg" in
    --bench) packages+=(libvips-tools graphicsmagick libjpeg-turbo-progs hyperfine time) ;;
    --fuzz) packages+=(clang-19 libclang-rt-19-dev) ;;  # libFuzzer; clang 19 has std::expected
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "install-deps: installing ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
