#!/usr/bin/env bash
# Builds Dvinar for installation under /usr and makes the Debian package with cpack; its
# dependencies come from dpkg-shlibdeps. The package lands in build/package/packages/.
#   sudo apt install ./build/package/packages/dvinar_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/package
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVEXOL_TESTS=OFF -DVEXOL_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$PWD/$build/packages" -D CPACK_STRIP_FILES=ON
ls -1 "$build"/packages/*.deb
