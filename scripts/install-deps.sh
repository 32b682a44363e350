#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, only when one is missing,
# and makes sure a decimal-comma locale exists for the locale tests. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  locales nlohmann-json3-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-dejavu-core
  libeigen3-dev libboost-dev libsqlite3-dev
  libsystemd-dev
  libcpp-httplib-dev chromium
  libmosquitto-dev mosquitto
  libpqxx-dev postgresql
)
# Node and npm for the dashboard's plotting library and its browser tests: the machine's own
# when it has them, Debian's otherwise.
if ! command -v npm >/dev/null || ! command -v node >/dev/null; then packages+=(nodejs npm); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
    echo "install-deps: need root to run: $*" >&2; return 1; fi
}

if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests run once more under a locale that writes decimal commas.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "install-deps: generating de_DE.UTF-8"
  if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen >/dev/null
fi

# The npm packages of web/package-lock.json (the dashboard's plotting library, the browser
# driver of its tests), again only when the lock file changed since they were installed.
web="$(cd "$(dirname "$0")/.." && pwd)/web"
if ! cmp -s "$web/package-lock.json" "$web/node_modules/.vigil-installed-lock.json"; then
  echo "install-deps: npm ci in web/"
  (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$web/package-lock.json" "$web/node_modules/.vigil-installed-lock.json"
fi
