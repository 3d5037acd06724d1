#!/usr/bin/env bash
# Builds the Debian package korvane-center_<version>_<arch>.deb in
# build-package/ from an optimised build without tests or benchmarks (the
# flags the test command checks; CPack strips the debug information), lists
# its contents and checks it with lintian (which must report no errors).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB)

package=$(ls build-package/korvane-center_*.deb)
dpkg-deb --info "$package"
dpkg-deb --contents "$package"
lintian --fail-on error "$package"
echo "built $package"
