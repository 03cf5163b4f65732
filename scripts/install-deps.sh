#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Quiet and idempotent: packages already present are skipped.
set -euo pipefail

packages=(
  # toolchain and build
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  # windows and controls
  libwxgtk3.2-dev
  # video views, canvas labels, H.264 decoding
  libsdl2-dev libsdl2-ttf-dev libavcodec-dev libavutil-dev libswscale-dev ffmpeg
  # device link and text files
  zlib1g-dev libserialport-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # window tests: X server without a screen, input, screenshots, serial pseudo-terminals
  xvfb xauth xdotool imagemagick socat x11-utils
  # window tests: a private network (ip brings up its loopback)
  iproute2
  # fonts
  fonts-liberation fonts-wqy-microhei
  # locales for the language tests
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The language tests start the program under a zh_CN locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/; s/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    $SUDO locale-gen >/dev/null 2>&1 || true
  fi
fi
