#!/usr/bin/env bash
# Installs the Debian packages the project needs. Idempotent: installs only
# what is missing and refreshes the package lists at most once per run.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format git
  libsqlite3-dev libhidapi-dev libudev-dev
  zlib1g-dev libminizip-dev libpugixml-dev libcurl4-openssl-dev libcpp-httplib-dev libssl-dev curl
  qt6-base-dev qt6-svg-dev libxcb1-dev libxcb-xinput-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev sqlite3 util-linux jq clang libclang-rt-dev
  desktop-file-utils appstream dbus man-db groff-base dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
