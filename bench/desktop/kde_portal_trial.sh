#!/usr/bin/env bash
# Quorix typing VALUES readings (default 500) through KDE's desktop portal into
# the key target window, on a headless kwin_wayland of its own; prints how many
# arrived exact. Installs what it needs (scripts/setup --kde).
#   bench/desktop/kde_portal_trial.sh BUILD_DIR [VALUES]
set -euo pipefail
"$(dirname "$0")/../../scripts/setup" --kde
build=$(realpath "$1"); wanted=${2:-500}
work=$(mktemp -d /tmp/kdetrial.XXXXXX)
mkdir -p "$work/bin" "$work/q" "$work/runtime"; chmod 700 "$work/runtime"
# The packaged kwin_wayland carries a file capability that a sandbox may refuse
# to run; a copy without it runs, under its own name (its platform plugin checks it).
cp /usr/bin/kwin_wayland "$work/bin/kwin_wayland"
cp "$build/bin/muxsim" "$build/tests/keytarget" "$work/bin/"
cp "$build/bin/Ondo_prj" "$(dirname "$0")/../../lang/quorix/Francais.lng" "$work/q/"
# Five values a row from instrument 1, one row a series, read without pause.
printf 'kde\r\n0\r\n1\r\n1\r\n0\r\n1\r\n0\r\n2\r\n0\r\n0\r\n5\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n' >"$work/q/kde.mux"
printf '[FICHIER]\r\nQuorix=%s\r\n' "$work/q/kde.mux" >"$work/q/quorix.ini"
cat >"$work/session.sh" <<'INNER'
set -u
cd "$WORK"
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=kdetrial
bin/kwin_wayland --virtual --xwayland --socket kdetrial --width 1280 --height 800 >kwin.log 2>&1 &
for _ in $(seq 100); do xw=$(pgrep -P $! Xwayland || true); [[ -n $xw ]] && break; sleep 0.2; done
export DISPLAY=$(tr '\0' '\n' </proc/$xw/cmdline | grep '^:' | head -1)
dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE XDG_RUNTIME_DIR
bin/muxsim --link "$WORK/link" --model 8 --per-command 5 \
  --values "+12.345,-0.5,+00000000.001,99.999,-7,+3.250,0.07,-123.456,777,-99.999,42.42,-00000012.500,5.5,77.77" >sim.log 2>&1 &
QT_QPA_PLATFORM=wayland bin/keytarget >keys.log 2>/dev/null &
for _ in $(seq 100); do grep -q ready keys.log && break; sleep 0.2; done
cd q; MUX_PORTS="$WORK/link" XDG_DATA_HOME="$WORK/q/data" ./Ondo_prj >quorix.log 2>&1 & cd ..
for _ in $(seq 100); do win=$(xdotool search --onlyvisible --name '^Quorix$' 2>/dev/null | head -1); [[ -n $win ]] && break; sleep 0.2; done
sleep 1 # the start-up activation loads the configuration
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + WIDTH / 6)) $((Y + HEIGHT - 29)) click 1   # "Lecture"
SECONDS=0
for _ in $(seq 600); do
  [[ $(cat q/data/quorix/journal/*.csv 2>/dev/null | wc -l) -gt $WANTED ]] && break
  sleep 0.5
done
echo "seconds $SECONDS"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 29)) click 1   # "Stop"
sleep 3
kill $(jobs -p) 2>/dev/null
wait
INNER
as_user=()
if [[ $(id -u) -eq 0 ]]; then chown -R nobody:nogroup "$work"; as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups); fi
"${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$work" XDG_RUNTIME_DIR="$work/runtime" WORK="$work" WANTED="$wanted" \
  timeout 400 dbus-run-session -- bash "$work/session.sh" 2>/dev/null | grep '^seconds' || true
# Typed values: the key target's printable presses, an arrow ending each value.
awk -F, 'FNR > 1 && NF { v = $NF; gsub(/[" \r]/, "", v); print v }' "$work"/q/data/quorix/journal/*.csv >"$work/journal.txt"
awk 'BEGIN { for (i = 32; i < 127; i++) ch[sprintf("%02x", i)] = sprintf("%c", i) }
     $1 == "press" { if ($3 ~ /^100001[2-5]$/) { if (v != "") print v; v = "" }
                     else if ($4 != "-") v = v ch[$4] }
     END { if (v != "") print v }' "$work/keys.log" >"$work/typed.txt"
total=$(wc -l <"$work/journal.txt")
exact=$(paste -d' ' "$work/journal.txt" "$work/typed.txt" | awk '$1 == $2' | wc -l)
echo "values read $total, typed $(wc -l <"$work/typed.txt"), exact $exact"
diff <(head -n "$total" "$work/typed.txt") "$work/journal.txt" | head -20 || true
echo "files kept in $work"
