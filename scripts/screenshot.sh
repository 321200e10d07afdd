#!/usr/bin/env bash
# Starts the program under a virtual X server, waits, and saves a screenshot of the screen:
#   scripts/screenshot.sh out.png [seconds] [working folder]
set -euo pipefail
out="$(realpath -m "$1")"; wait="${2:-3}"; work="${3:-}"
root="$(cd "$(dirname "$0")/.." && pwd)"
[ -n "$work" ] || work="$(mktemp -d)"
cd "$work"
xvfb-run -a -s "-screen 0 800x600x24" bash -c "
  '$root/build/vesto-logger' & pid=\$!
  sleep $wait
  import -window root '$out'
  kill \$pid" 
echo "$out"
