#!/usr/bin/env bash
# package-check.sh: builds the Debian package with CPack from a release build (programs only:
# tests and benchmarks off), installs it with apt-get, runs every program's --help from the
# installed paths, checks the units, purges the package and checks that none of its files is
# left. Needs root (or sudo) for apt-get. Prints the time each phase took.
#   VIGIL_PACKAGE_BUILD_DIR  build folder (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VIGIL_PACKAGE_BUILD_DIR:-build/package}
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
    echo "package-check: need root to run: $*" >&2; return 1; fi
}
phase_start=$(date +%s)
phase() {
  local now
  now=$(date +%s)
  echo "package-check: $1 ($((now - phase_start)) s)"
  phase_start=$now
}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVIGIL_TESTS=OFF -DVIGIL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
phase "release programs built"
rm -f "$build"/vigilstation_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vigilstation_*.deb)
phase "packed $(basename "$deb")"

# The package's files (not its folders), as installed paths.
mapfile -t files < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|; /[^/]$/p')
for expected in /usr/bin/VigilStation /usr/bin/basic-mode-sim /usr/bin/setup /usr/bin/vigil-results \
                /usr/lib/systemd/system/vigilstation.service /usr/share/man/man1/VigilStation.1.gz \
                /usr/share/vigilstation/SETUP_RC.txt /usr/share/vigilstation/scenarios/dam-wall.json; do
  printf '%s\n' "${files[@]}" | grep -qx "$expected" || { echo "package-check: $expected is not in the package" >&2; exit 1; }
done

if dpkg-query -W -f='${Status}' vigilstation 2>/dev/null | grep -q 'install ok installed'; then
  echo "package-check: vigilstation is installed already; not touching it" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
as_root apt-get install -y -qq "$(realpath "$deb")" >/dev/null
phase "installed with apt-get"

status=0
for program in VigilStation basic-mode-sim setup vigil-results; do
  if ! out=$(/usr/bin/$program --help 2>&1) || ! grep -q "usage" <<<"$out"; then
    echo "package-check: /usr/bin/$program --help failed: $out" >&2
    status=1
  fi
done
for page in VigilStation basic-mode-sim setup vigil-results; do
  # Compressed (Debian policy), and readable as a man page.
  if ! gzip -dc "/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q '^\.TH'; then
    echo "package-check: no compressed man page $page" >&2
    status=1
  fi
done
if command -v systemd-analyze >/dev/null; then
  for unit in /usr/lib/systemd/system/vigilstation.service /usr/lib/systemd/system/vigil-web.service; do
    [ -f "$unit" ] || continue
    systemd-analyze verify "$unit" 2>&1 | grep -v "^$" | grep -iv "bus\|Failed to connect" >&2 && status=1
  done
fi
phase "programs and units checked"

as_root apt-get purge -y -qq vigilstation >/dev/null
left=0
for f in "${files[@]}"; do
  if [ -e "$f" ] || [ -L "$f" ]; then
    echo "package-check: left behind: $f" >&2
    left=$((left + 1))
  fi
done
dpkg-query -W vigilstation >/dev/null 2>&1 && { echo "package-check: still known to dpkg" >&2; status=1; }
phase "purged; files left: $left of ${#files[@]}"
[ $left -eq 0 ] || status=1
[ $status -eq 0 ] && echo "package-check: passed"
exit $status
