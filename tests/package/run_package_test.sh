#!/usr/bin/env bash
# The Debian package, checked from outside: it builds, its desktop entry,
# metadata and contents pass their validators, its dependencies can be
# had, and the game unpacked into a scratch root (not installed) starts
# headless for a new user, making that user's program folder from the
# package's shared files; a later start adds what is missing and keeps the
# player's files.
#
# Nothing waits a fixed time: every wait polls for what it waits for, ten
# times a second, up to a generous bound.
#
# usage: run_package_test.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/pakkon-package-XXXXXX)
game=

. "$(dirname "$0")/../support/checks.sh"

stop_game() {
  [ -n "$game" ] || return 0
  kill "$game" 2>/dev/null
  poll 10 eval '! kill -0 "$game" 2>/dev/null' || kill -KILL "$game" 2>/dev/null
  wait "$game" 2>/dev/null
  game=
}
cleanup() {
  stop_game
  rm -rf "$work"
}
trap cleanup EXIT

echo "== package =="
rm -f "$build"/pakkon_*.deb
if ! (cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
deb=$(ls "$build"/pakkon_*.deb)
pass "built $(basename "$deb")"

root=$work/root
dpkg-deb -x "$deb" "$root"
app_id=io.github.pakkon.Pakkon
share=$root/usr/share

desktop-file-validate "$share/applications/$app_id.desktop" && pass "desktop entry valid" || fail "desktop entry"
appstreamcli validate --no-net --strict "$share/metainfo/$app_id.metainfo.xml" >"$work/as.log" 2>&1 &&
  pass "AppStream metadata valid" || { cat "$work/as.log"; fail "AppStream metadata"; }
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1
lintian_status=$?
grep -v '^running with root' "$work/lintian.log"
[ $lintian_status -eq 0 ] && pass "lintian finds no error" || fail "lintian errors"
# Every dependency, library or not, can be had on this system.
apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1 &&
  pass "dependencies resolve: $(dpkg-deb -f "$deb" Depends)" || { cat "$work/apt.log"; fail "dependencies"; }

# What the game and the desktop need, where they look for it.
expected_puzzles=$(ls "$(dirname "$0")"/../../data/puzzles/[0-9][0-9]-*.txt | wc -l)
for f in usr/bin/pakkon usr/bin/pakkon-tool usr/share/pakkon/Init.ini usr/share/pakkon/docs/puzzle-making.html \
  usr/share/pakkon/docs/puzzle-format.html usr/share/pakkon/docs/answers.html usr/share/pakkon/docs/puzzle-making-en.html \
  usr/share/pakkon/translations/pakkon_en.qm usr/share/pakkon/locale/en/LC_MESSAGES/pakkon.mo \
  usr/share/icons/hicolor/scalable/apps/$app_id.svg usr/share/icons/hicolor/48x48/apps/$app_id.png \
  usr/share/man/man6/pakkon.6.gz usr/share/man/man6/pakkon-tool.6.gz usr/share/doc/pakkon/copyright; do
  [ -s "$root/$f" ] || fail "the package lacks $f"
done
shipped=$(ls "$share/pakkon/Data"/*.bin 2>/dev/null | wc -l)
[ "$shipped" -eq "$expected_puzzles" ] && pass "$shipped puzzles shipped" || fail "$shipped of $expected_puzzles puzzles shipped"
grep -q 'href="answers.html"' "$share/pakkon/docs/puzzle-making.html" && grep -q 'Hajime1' "$share/pakkon/docs/answers.html" &&
  pass "the answers page is linked from the help page" || fail "answers page"

# The manual page describes every command the tool has.
commands=$("$root/usr/bin/pakkon-tool" --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
missing=
for c in $commands; do
  zcat "$share/man/man6/pakkon-tool.6.gz" | grep -q "^\.SS \"$c[ \"]" || missing="$missing $c"
done
[ -n "$commands" ] && [ -z "$missing" ] && pass "pakkon-tool(6) covers: $(echo $commands)" ||
  fail "pakkon-tool(6) lacks a section for:$missing"

echo "== the unpacked game, a new user =="
# The runtime folder holds the single-instance lock; the rest stands for a
# new account with nothing in it.
home=$work/home
export HOME=$home XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen
mkdir -p "$home" "$XDG_DATA_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
user=$XDG_DATA_HOME/pakkon

start_game() {
  "$root/usr/bin/pakkon" >"$work/game.log" 2>&1 &
  game=$!
}
alive() { kill -0 "$game" 2>/dev/null; }
# The help pages are copied last: the last of them there means the
# preparation is over.
prepared() { [ -f "$user/docs/puzzle-making.html" ] || ! alive; }
listing() { (cd "$user" && find . -type f ! -name Error_Log.TXT -printf '%p %s %T@\n' | sort); }

start_game
if ! poll 60 prepared; then
  fail "no program folder after 60 seconds"
elif ! alive; then
  cat "$work/game.log"
  fail "the game ended on its first start"
else
  grep -q '^DEMO=True' "$user/Init.ini" && pass "Init.ini made, with the demonstration" || fail "Init.ini"
  copied=$(ls "$user/Data"/*.bin 2>/dev/null | wc -l)
  [ "$copied" -eq "$expected_puzzles" ] && pass "$copied puzzles copied into Data/" || fail "$copied puzzles in Data/"
  cmp -s "$share/pakkon/docs/answers.html" "$user/docs/answers.html" && pass "help pages copied" || fail "help pages"
  [ -z "$(ls -A "$home")" ] && pass "nothing else written to HOME" || fail "HOME got: $(ls -A "$home")"
fi
stop_game

echo "== a later start =="
# The player's progress and settings, a shipped puzzle gone (as one new in
# an update would be) and a help page gone.
printf 'progress' >"$user/Data/06-soma-cube.bin"
printf '[SYSTEM]\r\nDEMO=False\r\n' >"$user/Init.ini"
rm "$user/Data/13-last-challenge.bin" "$user/docs/puzzle-making.html"
before=$(listing | grep -v -e 13-last-challenge -e puzzle-making)
start_game
if poll 60 prepared && alive; then
  [ "$(cat "$user/Data/06-soma-cube.bin")" = progress ] && pass "saved progress kept" || fail "progress replaced"
  [ "$(cat "$user/Init.ini")" = $'[SYSTEM]\r\nDEMO=False\r' ] && pass "settings kept" || fail "Init.ini replaced"
  cmp -s "$share/pakkon/Data/13-last-challenge.bin" "$user/Data/13-last-challenge.bin" &&
    pass "a missing shipped puzzle added" || fail "missing puzzle not added"
  after=$(listing | grep -v -e 13-last-challenge -e puzzle-making)
  [ "$before" = "$after" ] && pass "nothing else changed" || fail "files changed: $(diff <(echo "$before") <(echo "$after"))"
else
  cat "$work/game.log"
  fail "the later start did not come up"
fi
stop_game

if [ $failures -gt 0 ]; then
  echo "$failures package check(s) failed"
  exit 1
fi
echo "The package builds, validates and starts."
