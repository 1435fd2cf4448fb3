#!/usr/bin/env bash
# Installs the Debian packages that building and testing Sorvan needs.
# Offscreen Qt measures every text as 0 wide without a real font, hence the fonts;
# DejaVu draws Greek and Cyrillic, Droid Sans Fallback Chinese, which the tests
# of names in any script print and read back from a PDF. Clang and its
# runtime libraries (libFuzzer, the sanitizers) build the fuzz harnesses.
set -euo pipefail
pkgs=(cmake g++ make qt6-base-dev qt6-svg-dev googletest libgtest-dev
      libbenchmark-dev fonts-liberation fonts-dejavu-core fonts-droid-fallback poppler-utils libxy-bin
      clang libclang-rt-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=900 update -q
  apt-get -o DPkg::Lock::Timeout=900 install -y -q "${missing[@]}"
fi
