#!/usr/bin/env bash
# End-to-end checks of the real program, seen from outside: a fresh copy of
# the program folder, a virtual X server, window titles, files on disk and
# exit status. Screenshots go to the artifact folder.
#
# Nothing waits a fixed time: every wait looks for what it waits for, ten
# times a second, up to a generous bound, so a loaded machine or a sanitizer
# build only makes the run slower.
#
# usage: run_e2e.sh PROGRAM_DIR SOURCE_DIR ARTIFACT_DIR VERSION
set -u
program_dir=$1 source_dir=$2 artifacts=$3 version=$4
caption="３Ｄ空間パズル・ゲーム ぱっこん Ver $version"

work=$(mktemp -d /tmp/pakkon-e2e-XXXXXX)
mkdir -p "$artifacts"
server=

. "$(dirname "$0")/../support/checks.sh"

# Every copy started from this run's folder ends before the next case, so a
# copy left over from a failed case cannot hold the single-instance lock.
no_programs() { ! pgrep -f "$work/prog/pakkon" >/dev/null; }
stop_programs() {
  pkill -KILL -f "$work/prog/pakkon" 2>/dev/null
  poll 10 no_programs
}

cleanup() {
  stop_programs
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own. The server picks a free number itself and writes it
# once it takes connections; choosing one by looking for free sockets raced
# with any other run starting a server at the same moment, and the two runs
# then shared one display and closed it under each other. Without -noreset
# the server resets whenever its last client leaves, and a program started
# during the reset finds no display.
exec 3< <(exec Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>&1 >/dev/null 2>&1)
server=$!
if ! read -r -t 60 -u 3 display; then
  echo "FAIL: no virtual X server"
  exit 1
fi
exec 3<&-
export DISPLAY=":$display"
poll 30 xdpyinfo >/dev/null 2>&1 || {
  echo "FAIL: display $DISPLAY does not answer"
  exit 1
}

# Each case is its own user session as far as the single-instance lock goes.
export XDG_RUNTIME_DIR="$work/runtime"
# Leaks at exit inside the window system's libraries are not this test's business.
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
unset QT_QPA_PLATFORM

fresh() {
  stop_programs
  rm -rf "$work/prog" "$XDG_RUNTIME_DIR"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  cp -r "$program_dir" "$work/prog"
  rm -rf "$work/prog/Data"
  cp "$source_dir/data/Init.ini" "$work/prog/Init.ini"
}

set_demo() { sed -i "s/^DEMO=[A-Za-z]*/DEMO=$1/" "$work/prog/Init.ini"; }

# Where the program keeps its single-instance lock: named after a hash of
# its folder as the running program sees it (links resolved).
lock_file() {
  local key
  key=$(printf %s "$(cd "$work/prog" && pwd -P)" | sha1sum | cut -c1-16)
  echo "$XDG_RUNTIME_DIR/pakkon-$key.lock"
}

# window_id PID TITLE: a visible window of that process with exactly that
# title. Matching the process too keeps another copy's window out.
window_id() { xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -n 1; }

# wait_window PID TITLE: prints the window id once it is mapped; gives up
# when the process ends.
wait_window() {
  local id end=$((SECONDS + 60))
  while :; do
    id=$(window_id "$1" "$2")
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ $SECONDS -lt $end ] && kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
}

# wait_exit PID [SECONDS]: the process's exit status, or 124 when it does not end.
wait_exit() {
  local end=$((SECONDS + ${2:-30}))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -lt $end ] || return 124
    sleep 0.1
  done
  wait "$1"
}

# Keys go to the window with the focus; without a window manager nobody
# else moves it, but it takes a moment to arrive.
has_focus() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$1" ] || { xdotool windowfocus "$1" 2>/dev/null; false; }; }
press() {
  poll 10 has_focus "$1" || fail "window $1 never had the keyboard focus"
  xdotool key --clearmodifiers "${@:2}"
}

# An open menu is a visible window of the program besides its main window.
popup_open() { xdotool search --all --onlyvisible --pid "$1" --name '' 2>/dev/null | grep -qvx "$2"; }

quit_by_menu() {  # PID WINDOW
  press "$2" alt+f
  poll 20 popup_open "$1" "$2" || fail "the ファイル menu did not open"
  xdotool key q
}

# colour_count PICTURE RRGGBB: how many of its pixels have that colour.
colour_count() {
  convert "$1" -format %c histogram:info:- 2>/dev/null |
    awk -v c="#$2" 'toupper(substr($3, 1, 7)) == c { n = $1 + 0 } END { print n + 0 }'
}

# shot_showing WINDOW NAME RRGGBB PIXELS: screenshots into the artifact
# folder until one shows at least PIXELS pixels of the colour.
shows() { import -window "$1" "$artifacts/$2" 2>/dev/null && [ "$(colour_count "$artifacts/$2" "$3")" -ge "$4" ]; }
shot_showing() { poll 40 shows "$@"; }

ini_get() {  # the value of KEY in Init.ini (ASCII keys only)
  tr -d '\r' <"$work/prog/Init.ini" | sed -n "s/^$1=//p" | head -n 1
}

# 1. No Init.ini: the settings error, then the end.
fresh
rm "$work/prog/Init.ini"
"$work/prog/pakkon" &
pid=$!
if id=$(wait_window $pid "初期設定ファイル異常"); then
  pass "missing Init.ini is reported"
  press "$id" Return
  wait_exit $pid
  status=$?
  [ $status -eq 1 ] && pass "and the program ends (status 1)" || fail "missing Init.ini: exit status $status"
else
  fail "no \"初期設定ファイル異常\" window"
fi

# 2. DEMO=False: the sample; Data/ appears; a second start is refused; closing writes nothing.
# An empty lock file, as a copy killed between creating and writing it
# leaves, names nobody and is taken over.
fresh
set_demo False
: >"$(lock_file)"
before=$(cksum <"$work/prog/Init.ini")
"$work/prog/pakkon" &
pid=$!
if id=$(wait_window $pid "$caption"); then
  pass "main window \"$caption\" (over an empty lock file)"
  [ -d "$work/prog/Data" ] && pass "Data/ created" || fail "Data/ not created"
  # Block 1's shaded side (#808080) shows once the block view is painted.
  shot_showing "$id" e2e-sample.png 808080 300 && pass "the block view shows block 1" ||
    fail "e2e-sample.png: block 1 never showed"

  "$work/prog/pakkon" &
  second=$!
  if id2=$(wait_window $second "起動時エラー"); then
    pass "a second start is refused"
    press "$id2" Return
    wait_exit $second
    status=$?
    [ $status -eq 1 ] && pass "and it ends (status 1)" || fail "second start: exit status $status"
  else
    fail "no \"起動時エラー\" window"
  fi
  kill -0 $pid 2>/dev/null && pass "the first copy runs on" || fail "the first copy ended"

  quit_by_menu $pid "$id"
  wait_exit $pid
  status=$?
  [ $status -eq 0 ] && pass "ファイル → 終了 ends the program" || fail "quit: exit status $status"
  [ "$(cksum <"$work/prog/Init.ini")" = "$before" ] && pass "Init.ini untouched" || fail "Init.ini changed"
else
  fail "no main window"
fi

# 3. DEMO=True: the demonstration; closing during its run writes the loader's counters.
# A folder in the lock file's place keeps no copy out: the program starts
# and logs the fault.
fresh
set_demo True
mkdir "$(lock_file)"
"$work/prog/pakkon" &
pid=$!
if id=$(wait_window $pid "$caption"); then
  # Block 2 (pure red) comes after block 1 in the loader's order.
  shot_showing "$id" e2e-demonstration.png FF0000 100 && pass "the loader places blocks" ||
    fail "e2e-demonstration.png: the loader never reached block 2"
  quit_by_menu $pid "$id"
  wait_exit $pid 60
  status=$?
  [ $status -eq 0 ] && pass "the demonstration closes" || fail "demonstration close: exit status $status"
  placed=0
  for i in 0 1 2 3 4 5 6 7; do
    [ "$(ini_get "G_Info_Piece($i).iNo")" != "0" ] && placed=$((placed + 1))
  done
  [ $placed -gt 0 ] && pass "the loader's counters were written ($placed blocks placed)" ||
    fail "no counters written back"
  [ -n "$(ini_get GE_lRotate)" ] && [ "$(ini_get DEMO)" = "True" ] && pass "order kept, demonstration still on" ||
    fail "Init.ini after the demonstration"
  grep -q " Main() 75 Line 0:" "$work/prog/Error_Log.TXT" 2>/dev/null && pass "the lock fault is in Error_Log.TXT" ||
    fail "no lock fault in Error_Log.TXT"
else
  fail "no main window in demonstration mode (a folder in the lock's place)"
fi

echo "$failures failure(s); screenshots in $artifacts"
[ $failures -eq 0 ]
