#!/usr/bin/env bash
# Runs PROGRAM on a virtual display with a private session bus and the accessibility bus,
# and walks its whole accessibility tree as a screen reader does. Exit 77: tools missing.
#   atspi_test.sh PROGRAM [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate && break
done
missing=()
[ -n "$launcher" ] || missing+=(at-spi2-core)
command -v dbus-run-session >/dev/null || missing+=(dbus-daemon)
command -v xvfb-run >/dev/null || missing+=(xvfb)
/usr/bin/python3 -c 'from gi.repository import Gio' 2>/dev/null || missing+=(python3-gi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: the accessibility walk needs ${missing[*]} (scripts/setup a11y)"
  exit 77
fi
if [ -z "${CARDWISE_ATSPI_INNER:-}" ]; then
  export CARDWISE_ATSPI_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" "$@"
fi
"$launcher" --launch-immediately &
launcher_pid=$!
trap 'kill $launcher_pid 2>/dev/null || true' EXIT
# The accessibility bus is up once it answers for its address.
for _ in $(seq 50); do
  gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
/usr/bin/python3 "$here/atspi_walk.py" "$@"
