#!/bin/sh
# Installs a build into a temporary root with the package's prefix (/usr),
# checks that each named file is there, that the manual pages format without
# warnings, and runs the installed korvanectl, which must find its resources
# by itself (../share/korvane beside its folder).
#   install_test.sh BUILD_DIR VERSION FILE...   (FILE relative to /usr)
set -eu
build=$1
version=$2
shift 2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

missing=0
for file in "$@"; do
  if [ ! -e "$root/usr/$file" ]; then
    echo "not installed: /usr/$file" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ]

for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "$page: $warnings" >&2
    exit 1
  fi
done

# The installed program runs with a home of its own, never the user's.
export HOME="$root/home" XDG_CONFIG_HOME="$root/home/config" XDG_DATA_HOME="$root/home/data"
unset KORVANE_HID
printed=$("$root/usr/bin/korvanectl" --version)
if [ "$printed" != "$version" ]; then
  echo "korvanectl --version printed '$printed', not '$version'" >&2
  exit 1
fi
catalog=$("$root/usr/bin/korvanectl" catalog)
echo "$catalog"
case "$catalog" in
  *"Korvane Slate"*) ;;
  *) echo "korvanectl catalog lists no model" >&2; exit 1 ;;
esac
