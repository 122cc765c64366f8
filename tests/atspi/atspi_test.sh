#!/usr/bin/env bash
# The window read through AT-SPI under a private session bus and a virtual
# display, as a screen reader would read it.
set -uo pipefail
program=$1
profile=$2 # a terrain profile's CSV file for the Path page
here=$(cd "$(dirname "$0")" && pwd)
export QT_QPA_PLATFORM=xcb
export QT_ACCESSIBILITY=1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export NO_AT_BRIDGE=0
exec xvfb-run -a dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    sleep 1
    "$0" &
    app=$!
    /usr/bin/python3 "$1/atspi_tree.py" zandrevio "$2"
    status=$?
    kill $app 2>/dev/null
    exit $status
' "$program" "$here" "$profile"
