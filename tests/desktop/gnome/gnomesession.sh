#!/usr/bin/env bash
# Runs a command inside a headless GNOME session of its own (gnome-shell on a
# virtual monitor, its own session and system buses, the desktop portals
# started on demand), as an ordinary user, then ends the session.
#   gnomesession.sh WORKDIR COMMAND [ARGS...]
# Exit status: the command's; 77 when this machine cannot run gnome-shell.
set -euo pipefail
work=$1; shift
skip() { echo "SKIP: $*"; exit 77; }
command -v gnome-shell >/dev/null || skip "gnome-shell is not installed (scripts/setup installs it)"
[[ -x /usr/libexec/xdg-desktop-portal-gnome ]] || skip "xdg-desktop-portal-gnome is not installed"

# gnome-shell refuses nothing as root, but a desktop session belongs to a user.
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  if ! "${as_user[@]}" test -x "$1"; then
    echo "note: the user nobody cannot reach $1; the session runs as root"
    as_user=()
  fi
fi
# XWayland puts its sockets there; mutter wants the folder's usual open mode.
if [[ $(id -u) -eq 0 && -d /tmp/.X11-unix ]]; then chmod 1777 /tmp/.X11-unix; fi
rm -rf "$work"; mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
if [[ ${#as_user[@]} -gt 0 ]]; then chown -R nobody:nogroup "$work"; fi
# Only what a desktop session of our own needs: nothing of the caller's desktop.
base_env=(env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8
          XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/home/.config"
          XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache"
          XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome
          NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory)
run() { "${as_user[@]}" "${base_env[@]}" "$@"; }

pids=()
cleanup() {
  local p
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  # What the session bus started on demand (portals and their helpers) carries the session's runtime folder.
  for p in $(grep -lzx "XDG_RUNTIME_DIR=$work/runtime" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
    kill "$p" 2>/dev/null || true
  done
}
trap cleanup EXIT

session_bus=unix:path=$work/runtime/bus
system_bus=unix:path=$work/runtime/system_bus
run dbus-daemon --session --nofork --nopidfile --address="$session_bus" >"$work/session-bus.log" 2>&1 &
pids+=($!)
# gnome-shell asks the login manager on the system bus; a bus of our own keeps it alive.
run dbus-daemon --session --nofork --nopidfile --address="$system_bus" >"$work/system-bus.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -S $work/runtime/bus && -S $work/runtime/system_bus ]] && break; sleep 0.1; done
base_env+=(DBUS_SESSION_BUS_ADDRESS="$session_bus" DBUS_SYSTEM_BUS_ADDRESS="$system_bus")

run pipewire >"$work/pipewire.log" 2>&1 &
pids+=($!)
run wireplumber >"$work/wireplumber.log" 2>&1 &
pids+=($!)

display=gnome-test
run gnome-shell --headless --wayland --virtual-monitor 1280x800 --wayland-display "$display" \
  >"$work/gnome-shell.log" 2>&1 &
shell=$!
pids+=($shell)
up=0
for _ in $(seq 300); do
  kill -0 "$shell" 2>/dev/null || break
  if [[ -S $work/runtime/$display ]] && grep -q "Using public X11 display" "$work/gnome-shell.log"; then up=1; break; fi
  sleep 0.1
done
if [[ $up -ne 1 ]]; then
  echo "gnome-shell did not come up; its log:"
  cat "$work/gnome-shell.log"
  exit 1
fi
x_display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/gnome-shell.log" | head -1)
xauth_file=$(ls "$work/runtime"/.mutter-Xwaylandauth.* 2>/dev/null | head -1 || true)
base_env+=(WAYLAND_DISPLAY="$display" DISPLAY="$x_display" XAUTHORITY="$xauth_file")
run dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP \
  XDG_SESSION_TYPE XDG_RUNTIME_DIR DBUS_SYSTEM_BUS_ADDRESS HOME XDG_CONFIG_HOME XDG_DATA_HOME \
  XDG_CACHE_HOME GSETTINGS_BACKEND LANG

set +e
run "$@"
status=$?
set -e
[[ $status -eq 0 ]] || { echo "gnome-shell log:"; tail -40 "$work/gnome-shell.log"; }
exit $status
