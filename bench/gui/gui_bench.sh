#!/usr/bin/env bash
# The desktop application side by side with a bare Qt main window (one
# label, a tray icon) on one virtual X display, RUNS times each:
#  - exec to main window mapped (medians, and the ratio; goal at most 1.5x),
#  - resident memory 5 s after the window appeared (goal: bare + 15 MiB),
#  - context switches of the whole process over IDLE seconds with the
#    virtual mouse connected and silent (goal: at most 30 in 30 s).
#   bench/gui/gui_bench.sh BUILD_FOLDER [RUNS] [IDLE]
set -euo pipefail
build=${1:?build folder}
runs=${2:-10}
idle=${3:-30}
bin=$build/bin

missing=()
for p in xvfb x11-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

dir=$(mktemp -d)
export XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data XDG_RUNTIME_DIR=$dir/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
Xvfb :97 -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:97 QT_QPA_PLATFORM=xcb
socket=$dir/mouse.sock
"$bin/korvane-virtual-mouse" serve --socket "$socket" --preset receiver >/dev/null &
mouse=$!
trap 'kill $mouse $xvfb 2>/dev/null; rm -rf "$dir"' EXIT
sleep 1

# Starts a program and waits until a window with this title is mapped:
# leaves the milliseconds from exec in $elapsed and the process id in $pid.
start_mapped() {
  local title=$1
  shift
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -root -tree 2>/dev/null | grep -q "\"$title\""; do sleep 0.002; done
  end=$(date +%s%N)
  elapsed=$(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }

# One line per thread: id and context switches so far (voluntary and not).
thread_switches() {
  for task in /proc/"$1"/task/*; do
    awk -v id="${task##*/}" '/ctxt_switches/ {s += $2} END {if (s != "") print id, s}' "$task/status" 2>/dev/null
  done | sort
}

# Context switches between two thread_switches snapshots: the growth of the
# threads seen in both, all of a thread that started in between, and one for
# each thread that ended in between (its last wake-up; what it did before
# ending is gone with it). A plain sum over the threads alive at each end
# would drop the switches of an ended thread and could even come out negative.
switches_between() {
  join -a 1 -a 2 -e gone -o 0,1.2,2.2 "$1" "$2" |
    awk '$3 == "gone" {s += 1; next} $2 == "gone" {s += $3; next} {s += $3 - $2} END {print s + 0}'
}

measure() {
  local name=$1 title=$2
  shift 2
  local times=() rss=0
  for _ in $(seq "$runs"); do
    start_mapped "$title" "$@"
    times+=("$elapsed")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
  start_mapped "$title" "$@"
  sleep 5
  rss=$(rss_kib "$pid")
  thread_switches "$pid" >"$dir/before"
  sleep "$idle"
  thread_switches "$pid" >"$dir/after"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  local med
  med=$(printf '%s\n' "${times[@]}" | median)
  echo "$name: mapped ${med} ms (median of $runs), resident $((rss / 1024)) MiB, $(switches_between "$dir/before" "$dir/after") context switches in ${idle} s"
  eval "${name}_ms=$med ${name}_rss=$rss"
}

measure bare "Bare Reference Window" "$bin/korvane_bare_window"
measure korvane "Korvane Center" "$bin/korvane" --hid "sim:$socket"
echo "start-up ratio: $(awk -v a="$korvane_ms" -v b="$bare_ms" 'BEGIN {printf "%.2f", a / b}')x (goal at most 1.5x)"
echo "memory over the bare window: $(((korvane_rss - bare_rss) / 1024)) MiB (goal at most 15 MiB)"
