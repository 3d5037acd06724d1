#!/usr/bin/env bash
# Screenshots of every page as a user sees them: the GUI suites' window tour,
# and keyboard tour run on a virtual X display with a window manager, at a
# laptop's 1366 x 768 and a desktop's 1920 x 1080, in English and Russian.
# Installs Xvfb and Openbox when missing. Needs a build (bash test.sh or the
# README's build steps); writes build/screenshots/wm/<size>_<language>/.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KORVANE_BUILD_DIR:-$root/build}"
tests="$build/bin/korvane_gui_tests"
[ -x "$tests" ] || { echo "screenshots.sh: build first ($tests is missing)" >&2; exit 1; }

missing=()
for tool in Xvfb openbox; do command -v "$tool" >/dev/null || missing+=("$tool"); done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends xvfb openbox
fi

display=":$((90 + RANDOM % 100))"
status=0
for size in 1366x768 1920x1080; do
  Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  server=$!
  sleep 1
  DISPLAY="$display" openbox >/dev/null 2>&1 &
  manager=$!
  sleep 1
  for language in 1033 1049; do
    out="$build/screenshots/wm/${size}_${language}"
    mkdir -p "$out"
    echo "screenshots.sh: $size, language $language -> $out"
    DISPLAY="$display" QT_QPA_PLATFORM=xcb KORVANE_TEST_LANGUAGE="$language" KORVANE_SCREENSHOT_DIR="$out" \
      "$tests" --gtest_filter='ControllerGuiTest.*:GuiSmokeTest.MainWindow*:GuiSmokeTest.Home*:GuiSmokeTest.Dialogs*:-*MacroPageRecords*' >"$out/run.log" 2>&1 || {
        echo "screenshots.sh: the tour failed, see $out/run.log" >&2
        status=1
      }
  done
  kill "$manager" "$server" 2>/dev/null || true
  wait "$manager" "$server" 2>/dev/null || true
done
exit "$status"
