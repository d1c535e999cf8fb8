#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those missing.
# Usage: scripts/deps.sh run|test|package|web
set -euo pipefail

# The configure step looks for GoogleTest and Google Benchmark in either case.
# The English interface's catalogues are made with qt6-l10n-tools and gettext.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic
          fontconfig libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev cmark-gfm qt6-l10n-tools gettext)
# The Debian package: icons in every size, dependencies from the binaries.
packaging=(librsvg2-bin dpkg-dev file)
if [ "${1:-run}" = test ]; then
  # The end-to-end run under a virtual X server; the fuzzers (clang's libFuzzer);
  # ThreadSanitizer's runtime for g++.
  packages+=(xvfb xauth xdotool x11-utils imagemagick clang libclang-rt-14-dev clang-format libtsan2)
  packages+=("${packaging[@]}" desktop-file-utils appstream lintian)
  # The web page: Debian's emscripten, and headless Chromium driven by Selenium.
  packages+=(emscripten make chromium chromium-driver python3-selenium)
elif [ "${1:-run}" = package ]; then
  packages+=("${packaging[@]}")
elif [ "${1:-run}" = web ]; then
  # The web page alone: Debian's emscripten and what its build calls beside it.
  packages=(emscripten cmake make nlohmann-json3-dev gettext python3)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
