#!/bin/sh
# korvanectl update check, update download and firmware upgrade against a
# loopback update server and a served virtual mouse (a wired Korvane Slate,
# release 0x0101): the versions offered, the program's package checked
# against its digest and handed to the desktop's opener, and firmware images
# from the server and from a file flashed whole into the mouse.
#   korvanectl_update.sh <korvane-virtual-mouse> <korvanectl> <korvane-test-http-server>
#                        <korvane-test-write-zip> <resources>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
http_server=$3
write_zip=$4
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
state=$dir/state.json
serve_virtual_mouse --preset wired --model korvane_slate --state "$state"

# The update server: the program's files below center/, the Slate's below
# firmware/korvane_slate/.
www=$dir/www
center=$www/center
firmware=$www/firmware/korvane_slate/mouse
mkdir -p "$center" "$firmware"
"$http_server" "$www" --port-file "$dir/port" >/dev/null &
http=$!
trap 'kill "$http" 2>/dev/null; [ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$dir"' EXIT
i=0
while [ ! -s "$dir/port" ] && [ "$i" -lt 100 ]; do
  sleep 0.05
  i=$((i + 1))
done
base=http://127.0.0.1:$(cat "$dir/port")

resources=$dir/resources
cp -R "$5" "$resources"
sed -i "s|<upgrade url=\"[^\"]*\"|<upgrade url=\"$base/center/\"|" "$resources/config.xml"
sed -i "s|<firmware url=\"[^\"]*/firmware/|<firmware url=\"$base/firmware/|" "$resources"/device/*.xml
ctl() { "$ctl" --resources "$resources" --hid "sim:$socket" "$@"; }

# A package as the servers publish it: the zip and its sha256sum line.
publish() { # folder package member file
  "$write_zip" "$1/$2" "$3" "$4"
  (cd "$1" && sha256sum "$2" >"$2.sha256")
}

printf '%s' 1.0.2 >"$center/version"
printf 'installer 1.0.2' >"$dir/installer.deb"
publish "$center" Mouse-Setup-1.0.2.zip Mouse-Setup-1.0.2.deb "$dir/installer.deb"
printf '%s' 102 >"$firmware/version"
head -c 30001 /dev/urandom >"$dir/image-102.bin"
publish "$firmware" firmware-102.zip 'firmware     -102.bin' "$dir/image-102.bin"

# --- update check ---
# The first start stores the connected model (and says so on standard error).
ctl status >/dev/null 2>&1 || fail "the first start failed"
check=$(ctl update check --json 2>"$dir/err") || fail "update check failed: $(cat "$dir/err")"
echo "$check" | jq -e '.software == {"installed": "1.0.1", "offered": "1.0.2", "newer": true}' >/dev/null ||
  fail "software: $check"
echo "$check" | jq -e '.firmware == {"installed": "101", "offered": "102", "newer": true}' >/dev/null ||
  fail "firmware: $check"
[ ! -s "$dir/err" ] || fail "a readable server was reported: $(cat "$dir/err")"
ctl update check | grep -qx 'Software: installed 1.0.1, offered 1.0.2 (newer)' || fail "plain: $(ctl update check)"

# A server that cannot be read leaves its version unknown and is named once.
mv "$firmware/version" "$firmware/version.away"
check=$(ctl update check --json 2>"$dir/err") || fail "update check failed without the firmware server"
echo "$check" | jq -e '.firmware == {"installed": "101", "offered": null, "newer": null}' >/dev/null ||
  fail "unreadable firmware server: $check"
[ "$(wc -l <"$dir/err")" -eq 1 ] && grep -q "$base/firmware/korvane_slate/mouse/version" "$dir/err" ||
  fail "not one line naming the server: $(cat "$dir/err")"
mv "$firmware/version.away" "$firmware/version"
check=$("$ctl" --resources "$resources" --hid "sim:$dir/no-socket" update check --json 2>/dev/null) ||
  fail "update check failed without a mouse"
echo "$check" | jq -e '.firmware == {"installed": null, "offered": null, "newer": null} and .software.newer' \
  >/dev/null || fail "without a mouse: $check"

# --- update download ---
installer=$(ctl --data-dir "$dir/data1" update download 2>"$dir/err") || fail "download failed: $(cat "$dir/err")"
[ "$installer" = "$dir/data1/temp/Mouse-Setup-1.0.2.deb" ] || fail "installer path: $installer"
cmp -s "$installer" "$dir/installer.deb" || fail "the installer differs from the packed one"
grep -q '100%' "$dir/err" || fail "no progress: $(cat "$dir/err")"

# A package that differs from its digest is refused and deleted.
cp "$center/Mouse-Setup-1.0.2.zip.sha256" "$dir/good.sha256"
echo "0000000000000000000000000000000000000000000000000000000000000000  Mouse-Setup-1.0.2.zip" \
  >"$center/Mouse-Setup-1.0.2.zip.sha256"
if out=$(ctl --data-dir "$dir/data2" update download 2>"$dir/err"); then fail "a wrong digest was accepted: $out"; fi
grep -q 'does not match its published SHA-256 digest' "$dir/err" || fail "message: $(cat "$dir/err")"
[ -z "$out" ] || fail "a path was printed for a refused package: $out"
[ -z "$(ls -A "$dir/data2/temp")" ] || fail "the refused package was left: $(ls -A "$dir/data2/temp")"
cp "$dir/good.sha256" "$center/Mouse-Setup-1.0.2.zip.sha256"

# Nothing offered: nothing downloaded.
mv "$center/version" "$center/version.away"
if ctl --data-dir "$dir/data3" update download 2>/dev/null; then fail "a download without an offer succeeded"; fi
mv "$center/version.away" "$center/version"

# --install hands the installer to the desktop's opener.
mkdir "$dir/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$dir/opened" >"$dir/bin/xdg-open"
chmod +x "$dir/bin/xdg-open"
installer=$(PATH="$dir/bin:$PATH" ctl --data-dir "$dir/data4" update download --install 2>"$dir/err") ||
  fail "download --install failed: $(cat "$dir/err")"
i=0
while [ ! -s "$dir/opened" ] && [ "$i" -lt 100 ]; do
  sleep 0.05
  i=$((i + 1))
done
[ "$(cat "$dir/opened" 2>/dev/null)" = "$installer" ] || fail "the opener got: $(cat "$dir/opened" 2>/dev/null)"
printf '#!/bin/sh\n' >"$dir/bin/xdg-open"
chmod -x "$dir/bin/xdg-open"
if PATH="$dir/bin" ctl --data-dir "$dir/data4" update download --install 2>"$dir/err" >/dev/null; then
  fail "--install without an opener succeeded"
fi
grep -q 'The installer could not be opened' "$dir/err" || fail "message: $(cat "$dir/err")"

# --- firmware upgrade ---
# The mouse holds an image padded with 0xFF to whole 16-byte packets.
padded_sha() {
  size=$(wc -c <"$1")
  { cat "$1"; head -c $(((16 - size % 16) % 16)) /dev/zero | tr '\0' '\377'; } | sha256sum | cut -d' ' -f1
}
firmware_state() { jq -c '.firmware | {finished, bytes, sha256}' "$state"; }

if message=$(ctl firmware upgrade 2>&1); then fail "an upgrade without --yes ran"; fi
case $message in *--yes*) ;; *) fail "the refusal does not mention --yes: $message" ;; esac
jq -e '.firmware.started == false' "$state" >/dev/null || fail "a refused upgrade reached the mouse"

ctl firmware upgrade --yes >/dev/null 2>"$dir/err" || fail "upgrade from the server failed: $(cat "$dir/err")"
[ "$(firmware_state)" = "{\"finished\":true,\"bytes\":30016,\"sha256\":\"$(padded_sha "$dir/image-102.bin")\"}" ] ||
  fail "the mouse holds $(firmware_state)"
grep -q 'Updating firmware: 100%' "$dir/err" || fail "no progress: $(cat "$dir/err")"

head -c 4099 /dev/urandom >"$dir/local.bin"
ctl firmware upgrade --yes --file "$dir/local.bin" >/dev/null 2>"$dir/err" ||
  fail "upgrade from a file failed: $(cat "$dir/err")"
[ "$(firmware_state)" = "{\"finished\":true,\"bytes\":4112,\"sha256\":\"$(padded_sha "$dir/local.bin")\"}" ] ||
  fail "the mouse holds $(firmware_state) after --file"

# An offer that is not newer, or a package that differs from its digest,
# flashes nothing.
before=$(firmware_state)
printf '%s' 101 >"$firmware/version"
if ctl firmware upgrade --yes 2>"$dir/err" >/dev/null; then fail "an offer that is not newer was flashed"; fi
grep -q 'up to date' "$dir/err" || fail "message: $(cat "$dir/err")"
printf '%s' 102 >"$firmware/version"
cp "$dir/good.sha256" "$firmware/firmware-102.zip.sha256"
if ctl firmware upgrade --yes 2>"$dir/err" >/dev/null; then fail "a package with a wrong digest was flashed"; fi
grep -q 'does not match its published SHA-256 digest' "$dir/err" || fail "message: $(cat "$dir/err")"
[ "$(firmware_state)" = "$before" ] || fail "a refused upgrade changed the mouse: $(firmware_state)"
echo "korvanectl update: versions, downloads and firmware upgrades as offered"
