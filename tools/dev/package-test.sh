#!/usr/bin/env bash
# The Debian package as a player gets it, from the build in build/ (tools/dev/test.sh makes it):
#   - made with cpack, and checked: lintian (no error), desktop-file-validate, appstreamcli,
#     and man for both pages;
#   - installed with apt-get; the installed game, started from a folder without Stage under a
#     virtual X server, shows a stage on F2, plays from the installed stages, and on SIGTERM
#     ends with status 0 and its settings written;
#   - removed, leaving nothing of it behind.
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

tools/dev/install-deps.sh lintian desktop-file-utils appstream man-db

cmake --build build -j2 --target tavrelo tavrelo-stage tavrelo-xprobe tavrelo_linux_files tavrelo_stages
rm -rf build/package
cpack --config build/CPackConfig.cmake -B build/package >/dev/null
deb=$(ls "$top"/build/package/tavrelo_*.deb)
echo "package: $deb"
dpkg-deb -f "$deb" Depends

echo "== lintian"
lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || { echo "lintian reports an error"; exit 1; }

echo "== the installed tree"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
# The whole set the build drew, and nothing else.
diff <(ls "$tree"/usr/share/games/tavrelo/Stage) <(ls build/Stage) >/dev/null ||
  { echo "the package's stages are not the build's set"; exit 1; }
echo "$(ls "$tree"/usr/share/games/tavrelo/Stage | wc -l) stages in the package"
desktop-file-validate "$tree"/usr/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$tree"/usr/share/metainfo/*.metainfo.xml
for page in "$tree"/usr/share/man/man6/tavrelo.6.gz "$tree"/usr/share/man/man1/tavrelo-stage.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" | head -n 3
done

echo "== installed, played, ended, removed"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null
dpkg -L tavrelo >"$tree/files"
export PATH="$PATH:/usr/games"  # as Debian's profile has it
command -v tavrelo
tavrelo --version

xprobe=$top/build/tools/tavrelo-xprobe
source "$top/tests/smoke/lib.sh"
player=$(mktemp -d) && cleanup=$player
mkdir "$player/home" "$player/somewhere"
export HOME=$player/home
unset XDG_CONFIG_HOME TAVRELO_REGISTRY
start_display 1024x768
(cd "$player/somewhere" && exec tavrelo) >"$player/stderr" 2>&1 &
app=$!
end_splash
sleep 1  # its first picture on the screen
[ "$(readlink "/proc/$app/cwd")" = /usr/share/games/tavrelo ] ||
  { echo "it plays from $(readlink "/proc/$app/cwd")"; exit 1; }
# A stage shows when the left picture, an empty frame of one colour before, has colours.
read -r x y <<<"$(xdotool getwindowgeometry "$(window_of '^Tavrelo$')" |
                  awk '/Position/ { split($2, p, ","); print p[1], p[2] }')"
stage_showing() {
  for p in "40 180" "150 270" "250 370" "300 420"; do
    set -- $p
    "$xprobe" pixel $(( x + $1 )) $(( y + $2 ))
  done | varied
}
stage_showing && { echo "a stage shows before F2"; exit 1; }
press '^Tavrelo$' F2 stage_showing
"$xprobe" shot "$player/playing.png" "$x" "$y" 632 439
kill -TERM "$app"
wait_exit 5
[ "$status" -eq 0 ] || { echo "exit status $status after SIGTERM"; cat "$player/stderr"; exit 1; }
settings=$HOME/.config/tavrelo/user.reg
[ "$(grep -c '^"' "$settings")" -eq 23 ] || { echo "the settings were not written"; exit 1; }
echo "played: a stage showed, SIGTERM ended the game with status 0, $settings holds 23 values"

DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq tavrelo >/dev/null
left=""
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then left+=" $path"; fi
done <"$tree/files"
for folder in /usr/share/games/tavrelo /usr/share/doc/tavrelo; do
  [ -e "$folder" ] && left+=" $folder"
done
[ -z "$left" ] || { echo "left behind after removal:$left"; exit 1; }
echo "package test passed"
