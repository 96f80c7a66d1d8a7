#!/usr/bin/env bash
# Installs what Zenphal needs from Debian's packages. Idempotent: when every
# package is present it only checks and returns (well under a second).
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  # GUI checks under a virtual display, and fonts for offscreen rendering
  xvfb xauth xdotool imagemagick fonts-dejavu-core
  # Real RNA family alignments (Stockholm) for tests and benchmarks
  infernal
  # The workflow over families (workflow/Snakefile) and its plot
  snakemake python3-matplotlib
  # The Python module (python/), its tests, and virtual environments to install it into
  pybind11-dev python3-dev python3-pytest python3-venv
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
  else
    echo "setup: need root or sudo to install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
