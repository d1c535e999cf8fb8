#!/usr/bin/env bash
# End-to-end checks of the real program, seen from outside: a fresh copy of
# the program folder, a virtual X server, window titles, files on disk and
# exit status. Screenshots go to the artifact folder.
#
# usage: run_e2e.sh PROGRAM_DIR SOURCE_DIR ARTIFACT_DIR VERSION
set -u
program_dir=$1 source_dir=$2 artifacts=$3 version=$4
caption="３Ｄ空間パズル・ゲーム ぱっこん Ver $version"

work=$(mktemp -d /tmp/pakkon-e2e-XXXXXX)
mkdir -p "$artifacts"
failures=0
server=

cleanup() {
  pkill -f "$work/prog/pakkon" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# A display of our own.
for n in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 && break
  kill "$server" 2>/dev/null
  server=
done
[ -n "$server" ] || { echo "FAIL: no virtual X server"; exit 1; }

# Each start is its own user session as far as the single-instance lock goes.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Leaks at exit inside the window system's libraries are not this test's business.
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
unset QT_QPA_PLATFORM

fresh() {
  rm -rf "$work/prog"
  cp -r "$program_dir" "$work/prog"
  rm -rf "$work/prog/Data"
  cp "$source_dir/data/Init.ini" "$work/prog/Init.ini"
}

set_demo() { sed -i "s/^DEMO=[A-Za-z]*/DEMO=$1/" "$work/prog/Init.ini"; }

# wait_window TITLE [SECONDS]: prints the window id once it is mapped.
wait_window() {
  local id
  for _ in $(seq $((${2:-20} * 10))); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# wait_exit PID [SECONDS]: the process's exit status, or 124 when it does not end.
wait_exit() {
  for _ in $(seq $((${2:-20} * 10))); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
    sleep 0.1
  done
  return 124
}

press() { xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.2; xdotool key --clearmodifiers "${@:2}"; }

quit_by_menu() {
  press "$1" alt+f
  sleep 0.4
  xdotool key q
}

shot() { import -window "$1" "$artifacts/$2" 2>/dev/null || fail "screenshot $2"; }

ini_get() {  # the value of KEY in Init.ini (ASCII keys only)
  tr -d '\r' <"$work/prog/Init.ini" | sed -n "s/^$1=//p" | head -n 1
}

# 1. No Init.ini: the settings error, then the end.
fresh
rm "$work/prog/Init.ini"
"$work/prog/pakkon" &
pid=$!
if id=$(wait_window "初期設定ファイル異常"); then
  pass "missing Init.ini is reported"
  press "$id" Return
  wait_exit $pid
  status=$?
  [ $status -eq 1 ] && pass "and the program ends (status 1)" || fail "missing Init.ini: exit status $status"
else
  fail "no \"初期設定ファイル異常\" window"
  kill $pid 2>/dev/null
fi

# 2. DEMO=False: the sample; Data/ appears; a second start is refused; closing writes nothing.
fresh
set_demo False
before=$(cksum <"$work/prog/Init.ini")
"$work/prog/pakkon" &
pid=$!
if id=$(wait_window "$caption"); then
  pass "main window \"$caption\""
  [ -d "$work/prog/Data" ] && pass "Data/ created" || fail "Data/ not created"
  sleep 1
  shot "$id" e2e-sample.png

  "$work/prog/pakkon" &
  second=$!
  if id2=$(wait_window "起動時エラー"); then
    pass "a second start is refused"
    press "$id2" Return
    wait_exit $second
    status=$?
    [ $status -eq 1 ] && pass "and it ends (status 1)" || fail "second start: exit status $status"
  else
    fail "no \"起動時エラー\" window"
    kill $second 2>/dev/null
  fi
  kill -0 $pid 2>/dev/null && pass "the first copy runs on" || fail "the first copy ended"

  quit_by_menu "$id"
  wait_exit $pid
  status=$?
  [ $status -eq 0 ] && pass "ファイル → 終了 ends the program" || fail "quit: exit status $status"
  [ "$(cksum <"$work/prog/Init.ini")" = "$before" ] && pass "Init.ini untouched" || fail "Init.ini changed"
else
  fail "no main window"
  kill $pid 2>/dev/null
fi

# 3. DEMO=True: the demonstration; closing during its run writes the loader's counters.
fresh
set_demo True
"$work/prog/pakkon" &
pid=$!
if id=$(wait_window "$caption"); then
  sleep 4
  shot "$id" e2e-demonstration.png
  quit_by_menu "$id"
  wait_exit $pid 30
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
else
  fail "no main window in demonstration mode"
  kill $pid 2>/dev/null
fi

echo "$failures failure(s); screenshots in $artifacts"
[ $failures -eq 0 ]
