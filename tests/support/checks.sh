# Shared by the shell tests: counted checks and bounded waiting.

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# poll SECONDS COMMAND...: true as soon as COMMAND succeeds, false when the
# time is up.
poll() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}
