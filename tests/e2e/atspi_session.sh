# Shared by the screen reader tests, sourced with their arguments: skips
# (77) where the machine lacks the tools, runs the test again inside a D-Bus
# session of its own, then starts a private X server and a play directory
# with the AT-SPI bus up. Expects HERE (this folder) and PYTHON.

skip() { echo "SKIP: $*"; exit 77; }
for tool in Xvfb xdotool xdpyinfo dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || skip "no $tool"
done
[ -x "$PYTHON" ] && "$PYTHON" -c 'import pyatspi' 2>/dev/null || skip "no python3-pyatspi"
[ -e /usr/libexec/at-spi-bus-launcher ] || [ -e /usr/lib/at-spi2-core/at-spi-bus-launcher ] || skip "no at-spi2-core"

# A session bus of the test's own: the AT-SPI bus is started on it when the
# game asks for it, and goes with it. The bus's socket goes under the
# runtime folder (else the user's cache): one of the test's own, so that two
# runs at once (another build's suite) never take each other's bus.
if [ -z "${TESSELO_A11Y_SESSION:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)" TESSELO_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

source "$HERE/x_session.sh"
trap 'stop_all; rm -rf "$XDG_RUNTIME_DIR"' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_x
make_play_dir
# The AT-SPI bus up before the game: Qt waits for it to appear rather than
# start it, as a desktop session would have it running.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
  fail "no AT-SPI bus"
