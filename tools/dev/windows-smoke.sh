#!/usr/bin/env bash
# The Windows build as a Windows player meets it, under Wine (a Win32 implementation, standing
# in for the Windows that CI does not have), on a virtual X server:
#   - a fresh Wine prefix; the zip unpacked; tavrelo.exe started from its folder;
#   - the splash screen ends, the idle playfield is shot, F2 shows a stage, Esc and Y end the
#     game with exit code 0, and the registry holds the 23 values;
#   - our own Win32 subset against Wine's, pixel for pixel: the idle playfield must equal the
#     same state shot by tavrelo-replay; so must a stage on Easy, and the same stage after a
#     miss, apart from where the random draw puts each patch, the stage clock and the status
#     line (another font);
#   - Wine's end of the session (wineboot --end-session) makes the game save a difficulty chosen
#     during the run, before Wine ends it;
#   - the zip's texts have Windows' line ends, and tavrelo.exe holds its version and manifest;
#   - started from another folder, the game plays the stages beside it;
#   - the installer, silently: the files, the uninstall key, the Start menu shortcut, the game
#     started as the shortcut starts it; the silent uninstall leaves nothing of what it installed
#     and the player's settings where they were.
# Sets up what is missing: the packages of the Linux build (for tavrelo-replay and
# tavrelo-xprobe) and Wine, and the Windows build (tools/dev/windows.sh). Screenshots and the
# comparisons' pictures go to build-windows/smoke/.
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
out=$top/build-windows/smoke

tools/dev/install-deps.sh
tools/dev/install-deps.sh wine wine64 xvfb xdotool
[ -f build-windows/tavrelo-windows.zip ] && ls build-windows/tavrelo-*-setup.exe >/dev/null 2>&1 ||
  tools/dev/windows.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tavrelo-replay tavrelo-xprobe >/dev/null
replay=$top/build/tools/tavrelo-replay
xprobe=$top/build/tools/tavrelo-xprobe

echo "== what tavrelo.exe imports: system DLLs only, msimg32.dll not among them (loaded at run time)"
imports=$(x86_64-w64-mingw32-objdump -p build-windows/tavrelo.exe)
dlls=$(awk '/DLL Name:/ { print toupper($3) }' <<<"$imports" | sort | tr '\n' ' ')
echo "$dlls"
[ "$dlls" = "ADVAPI32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL WINMM.DLL " ] ||
  { echo "tavrelo.exe imports $dlls"; exit 1; }
# The real entry points, not a subset linked in: a few of each area the game uses.
for call in CreateWindowExA DialogBoxParamA SetDIBitsToDevice BitBlt RegCreateKeyExA PlaySoundA \
            LoadLibraryA FindFirstFileA; do
  grep -qw "$call" <<<"$imports" || { echo "tavrelo.exe does not import $call"; exit 1; }
done

echo "== what tavrelo.exe holds besides: its version and its manifest"
for type in 0x000010 0x000018; do  # RT_VERSION, RT_MANIFEST
  grep -q "Entry: ID: $type," <<<"$imports" || { echo "tavrelo.exe has no resource of type $type"; exit 1; }
done
strings -el build-windows/tavrelo.exe | grep -qx "0.51 beta" || { echo "no version 0.51 beta"; exit 1; }
grep -q 'level="asInvoker"' build-windows/tavrelo.exe || { echo "no asInvoker in the manifest"; exit 1; }
echo "version 0.51 beta, manifest asInvoker"

source "$top/tests/smoke/lib.sh"
work=$(mktemp -d) && cleanup=$work
rm -rf "$out" && mkdir -p "$out"
start_display 1280x800
# No Mono or Gecko to ask for, and no shortcuts of Wine's own in the desktop's menus.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1
wineserver -w
key='HKCU\Software\Brannoch\Kestrelwork\TVR'
wait_seconds=30  # Wine takes its time to start a program

# The window's client area on the screen: below the menu bar, which Wine draws in the window.
# Its height is found by where the idle reference matches; it is the same for every shot.
client_x=0 client_y=0
locate_client() {
  read -r client_x top _ _ <<<"$(geometry "$(window_of '^Tavrelo$')")"
  for bar in $(seq 15 25); do
    if "$xprobe" compare "$1" "$client_x" $(( top + bar )) >/dev/null; then
      client_y=$(( top + bar ))
      return 0
    fi
  done
  return 1
}
# compare NAME REFERENCE [--except ...]: the client area against a reference shot.
compare() {
  local name=$1 reference=$2
  shift 2
  echo -n "$name: "
  "$xprobe" compare "$reference" "$client_x" "$client_y" --diff "$out/$name-diff.png" "$@" ||
    { echo "$name differs from tavrelo-replay's shot; see $out/$name-diff.png"; exit 1; }
}
stage_showing() {
  for p in "40 140" "150 230" "250 330" "300 390"; do
    set -- $p
    "$xprobe" pixel $(( client_x + $1 )) $(( client_y + $2 ))
  done | varied
}
question_up() { [ "$(count_named '^Tavrelo$')" -ge 2 ]; }
# Yes to the question that is up, in its own window beside the main window.
answer_yes() {
  wait_for question_up
  local box
  box=$(xdotool search --name '^Tavrelo$' | grep -vx "$(window_of '^Tavrelo$')" | tail -n 1)
  focus "$box" || true
  sleep 0.3
  xdotool key y
  sleep 0.5
}
exit_with_yes() {
  press '^Tavrelo$' Escape question_up
  answer_yes
  wait_exit 20
  [ "$status" -eq 0 ] || { echo "tavrelo.exe ended with exit code $status"; exit 1; }
}
replay_shots() {  # replay_shots FOLDER SCRIPT: the reference shots of a script, into FOLDER/out
  (cd "$1" && TAVRELO_REGISTRY="$1/user.reg" "$replay" "$2" "$1/out") >"$1/replay.out"
}

echo "== the zip, unpacked and played"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$top/build-windows/tavrelo-windows.zip")
game=$work/unpacked/Tavrelo
# Windows' line ends: every line of every text ends in CR LF.
for text in "$game/README.txt" "$game"/licences/*; do
  [ "$(grep -c $'\r$' "$text")" -eq "$(wc -l <"$text")" ] || { echo "$text has lines without CR"; exit 1; }
done
echo "the zip's texts end their lines with CR LF"
mkdir "$work/idle"
printf '%s\n' 'tick 4600' 'shot idle' >"$work/idle.script"
replay_shots "$work/idle" "$work/idle.script"

(cd "$game" && exec wine tavrelo.exe) >"$work/wine.log" 2>&1 &
app=$!
wait_for exists '^Tavrelo$'
sleep 1
wait_for locate_client "$work/idle/out/idle.png"
"$xprobe" shot "$out/idle.png" "$client_x" "$client_y" 632 420
compare idle "$work/idle/out/idle.png"
press '^Tavrelo$' F2 stage_showing
"$xprobe" shot "$out/playing.png" "$client_x" "$client_y" 632 420
exit_with_yes
values=$(wine reg query "$key" | grep -c 'REG_')
[ "$values" -eq 23 ] || { echo "the registry holds $values values, not 23"; wine reg query "$key"; exit 1; }
echo "played: idle, a stage, exit code 0, 23 values under $key"

echo "== a stage on Easy, pixel for pixel"
stages=("$game"/Stage/*.stg) && stage=${stages[0]}  # a glob: `ls | head` dies of SIGPIPE here
mkdir -p "$work/one/Stage" "$work/reference"
cp "$game/tavrelo.exe" "$work/one/" && cp "$stage" "$work/one/Stage/" && cp "$stage" "$work/reference/"
mkdir -p "$work/reference/Stage" && mv "$work/reference/"*.stg "$work/reference/Stage/"
printf '%s\n' 'tick 4600' 'key Alt+O' 'key E' 'key F2' 'tick 10' 'state' 'shot playing' \
  'click 20 110' 'tick 10' 'shot miss' >"$work/easy.script"
replay_shots "$work/reference" "$work/easy.script"
# Where the random draw may differ: each target in both pictures, with the outlines' margin.
except=()
while read -r rect; do
  IFS=, read -r l t r b <<<"$rect"
  except+=(--except "$(( l - 4 )),$(( t - 4 )),$(( r - l + 8 )),$(( b - t + 8 ))")
done < <(grep '^target' "$work/reference/replay.out" | tr ' ' '\n' | sed -n 's/^\(left\|right\)=//p')
[ ${#except[@]} -eq 20 ] || { echo "the replay told no five targets"; cat "$work/reference/replay.out"; exit 1; }
except+=(--except 320,36,80,30)   # the stage clock, which Wine runs on its own time
except+=(--except 370,396,262,24) # the status line, in Wine's own Tahoma

wine reg add "$key" /v Option /t REG_DWORD /d 0 /f >/dev/null  # Easy
(cd "$work/one" && exec wine tavrelo.exe) >"$work/wine.log" 2>&1 &
app=$!
wait_for exists '^Tavrelo$'
sleep 1
wait_for locate_client "$work/idle/out/idle.png"
press '^Tavrelo$' F2 stage_showing
sleep 0.5
compare playing "$work/reference/out/playing.png" "${except[@]}"
xdotool mousemove $(( client_x + 20 )) $(( client_y + 110 )) click 1
sleep 1
compare miss "$work/reference/out/miss.png" "${except[@]}"

echo "== the end of the session, as Windows ends it"
option() { wine reg query "$key" /v Option | tr -d '\r' | awk '$1 == "Option" { print $3 }'; }
choose_difficult
answer_yes  # the game restarts at the new difficulty
[ "$(option)" = 0x0 ] || { echo "the difficulty was written before the end of the session"; exit 1; }
wineboot --end-session
wait_exit 20  # Wine, like Windows, ends the program once it has heard the end
[ "$(option)" = 0x2 ] || { echo "the end of the session did not save Difficult: $(option)"; exit 1; }
echo "saved at the end of the session: Option $(option)"
# Runs COMMAND from $work, a folder without stages, then plays a stage with F2 in the game it
# starts and leaves with Esc and Y.
play_a_stage_from_work() {
  (cd "$work" && exec "$@") >"$work/wine.log" 2>&1 &
  app=$!
  wait_for exists '^Tavrelo$'
  sleep 1
  wait_for locate_client "$work/idle/out/idle.png"
  press '^Tavrelo$' F2 stage_showing
  exit_with_yes
}

echo "== started from another folder, the stages beside the program"
play_a_stage_from_work wine "$game/tavrelo.exe"
echo "from $work, F2 played a stage from $game/Stage"

echo "== the installer, silently, over 0.51's layout; the game from its Start menu shortcut; the silent uninstall"
programs="$WINEPREFIX/drive_c/Program Files/Tavrelo"
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tavrelo.lnk'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrelo'
# What 0.51 left installed: its 64 stages under their old names, beside its program.
mkdir -p "$programs/Stage"
cp tests/fixtures/Stage/*.stg "$programs/Stage/"
cp "$game/tavrelo.exe" "$programs/"
wine build-windows/tavrelo-*-setup.exe /S
wineserver -w
for file in tavrelo.exe README.txt uninstall.exe licences/tavrelo.txt; do
  [ -f "$programs/$file" ] || { echo "not installed: $file"; exit 1; }
done
diff <(ls "$programs"/Stage) <(ls "$game"/Stage) >/dev/null ||
  { echo "the installed stages are not the new set alone:"; diff <(ls "$programs"/Stage) <(ls "$game"/Stage) | head; exit 1; }
echo "$(ls "$programs"/Stage | wc -l) stages installed, none of 0.51's left"
registered=$(wine reg query "$uninstall_key" | tr -d '\r')
for value in 'DisplayName.*Tavrelo' 'DisplayVersion.*0\.51 beta' 'Publisher' 'DisplayIcon' \
             'UninstallString.*uninstall\.exe' 'EstimatedSize'; do
  grep -q "$value" <<<"$registered" || { echo "the uninstall key lacks $value:"; echo "$registered"; exit 1; }
done
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavrelo.lnk" ] ||
  { echo "no Start menu shortcut"; exit 1; }
desktop_shortcut="$WINEPREFIX/drive_c/users/Public/Desktop/Tavrelo.lnk"
[ -f "$desktop_shortcut" ] || { echo "no desktop shortcut, which a silent install makes"; exit 1; }
echo "installed, with its uninstall key and Start menu and desktop shortcuts"
play_a_stage_from_work wine start /wait "$shortcut"
echo "started as its shortcut starts it, F2 played a stage"
wineserver -w  # the game has ended, and nothing holds its files
values_before=$(wine reg query "$key" | grep -c 'REG_')
wine "C:\\Program Files\\Tavrelo\\uninstall.exe" /S
for _ in $(seq 100); do [ -e "$programs" ] || break; sleep 0.2; done
wineserver -w
[ ! -e "$programs" ] || { echo "left after the uninstall:"; find "$programs"; exit 1; }
[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavrelo.lnk" ] &&
  [ ! -e "$desktop_shortcut" ] || { echo "a shortcut was left"; exit 1; }
! wine reg query "$uninstall_key" >/dev/null 2>&1 || { echo "the uninstall key was left"; exit 1; }
[ "$(wine reg query "$key" | grep -c 'REG_')" -eq "$values_before" ] ||
  { echo "the uninstall took the player's settings"; exit 1; }
echo "uninstalled: nothing of it left, the $values_before settings kept"

# Nothing of Wine goes on writing into the prefix as it is removed.
wineserver -k 2>/dev/null || true
wineserver -w
echo "windows smoke test passed"
