# Shared by the smoke tests, which drive programs on the SDL2 host as a person would: a virtual
# X server of their own, and ways to wait for what a person waits for. Source it; it sets DISPLAY
# and ends the server and the program ($app, once started) when the test ends.

# Under the sanitizers, the desktop libraries SDL loads (X11 backends, D-Bus) keep a few blocks
# to the end; the program's own blocks are checked by the unit tests and the replays.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

app=""
server=""
xlog=$(mktemp)
applog=$(mktemp)  # where a test sends the output of the program it drives
trap 'stop_all' EXIT
stop_all() {
  [ -n "$app" ] && kill -KILL "$app" 2>/dev/null
  # The server has ended before the test does, so that the next test's finds nothing of it.
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  # A program that is still going away may write a last file meanwhile: a second try gets it.
  [ -n "${cleanup:-}" ] && { rm -rf "$cleanup" 2>/dev/null || { sleep 1; rm -rf "$cleanup"; }; }
  rm -f "$xlog" "$applog"
}

# explain: what a failing test shows besides its own line: whether the program and the X server
# still run, and what each printed last.
explain() {
  if [ -n "$app" ] && ! kill -0 "$app" 2>/dev/null; then echo "the program has ended"; fi
  if [ -n "$server" ] && ! kill -0 "$server" 2>/dev/null; then echo "the X server has ended"; fi
  [ -s "$applog" ] && { echo "the program printed:"; tail -n 20 "$applog"; }
  [ -s "$xlog" ] && { echo "the X server printed:"; tail -n 20 "$xlog"; }
  return 0
}

# start_display WIDTHxHEIGHT: a virtual screen on a display number nobody else uses. Without
# -noreset the server starts over whenever its last client leaves, and a program connecting
# just then (the game, as xdotool's first look for its window ends) is turned away.
start_display() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$number" >"$xlog" 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
  [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start"; exit 1; }
}

# work_with_stages STAGE_DIR: `work`, a fresh folder with three shipped stages in its Stage/ and
# the settings file TAVRELO_REGISTRY names; it goes when the test ends.
work_with_stages() {
  work=$(mktemp -d) && cleanup=$work
  mkdir "$work/Stage" && cp "$1"/0[1-3]-*.stg "$work/Stage/"
  export TAVRELO_REGISTRY=$work/user.reg
}

# one_stage_on_easy STAGE_DIR REPLAY: `work`, a fresh folder with the first stage of STAGE_DIR
# alone and the settings file TAVRELO_REGISTRY names, and $work/replay.out, where the replay of
# that stage on Easy told the state: where its differences are, in the order Easy plays them.
one_stage_on_easy() {
  work=$(mktemp -d) && cleanup=$work
  mkdir -p "$work/Stage" "$work/out"
  local all=("$1"/*.stg)
  cp "${all[0]}" "$work/Stage/"
  export TAVRELO_REGISTRY=$work/user.reg
  printf '%s\n' 'tick 4600' 'key Alt+O' 'key E' 'key F2' 'tick 10' 'state' 'key Escape' 'key y' \
    >"$work/easy.script"
  (cd "$work" && "$2" "$work/easy.script" "$work/out") >"$work/replay.out"
  rm -f "$work/user.reg"
}

# start_past_splash PROGRAM: the program started from $work (as `app`), and its splash screen
# ended; `main` is its window named Tavrelo.
start_past_splash() {
  (cd "$work" && exec "$1") >>"$applog" 2>&1 &
  app=$!
  end_splash
  main=$(window_of '^Tavrelo$')
}

window_of() { xdotool search --name "$1" 2>/dev/null | head -n 1 || true; }
exists() { [ -n "$(window_of "$1")" ]; }
gone() { ! exists "$1"; }
ended() { ! kill -0 "$app" 2>/dev/null; }
count_named() { xdotool search --name "$1" 2>/dev/null | wc -l; }

# wait_for CHECK [SUBJECT]: up to ten seconds (or $wait_seconds) for the check to hold.
wait_for() {
  for _ in $(seq $(( ${wait_seconds:-10} * 10 ))); do "$@" && return 0; sleep 0.1; done
  echo "waited in vain for: $*"
  explain
  exit 1
}

# end_splash: presses a key on the splash screen (a window without a name, as one window of the
# X server's own is) until the main window named Tavrelo is up. By itself the splash screen
# lasts 455 steps of its timer, four and a half seconds at best; a key ends it at once.
end_splash() {
  local window
  for _ in $(seq 100); do
    exists '^Tavrelo$' && return 0
    for window in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
      xdotool windowfocus "$window" 2>/dev/null && xdotool key space
    done
    sleep 0.2
  done
  echo "the splash screen never gave way to the window named Tavrelo"
  explain
  exit 1
}

# focus WINDOW: gives the window the keyboard and waits, up to three seconds, for the server to
# say that it has it. xdotool's own wait goes on for fifteen when a window does not take it (one
# that is not yet shown, one whose program hands the focus on), and a test trying again and again
# would then run out of time before it could say what went wrong.
focus() { timeout 3 xdotool windowfocus --sync "$1" 2>/dev/null; }

# press NAME KEY CHECK [SUBJECT]: gives the window named NAME the keyboard and presses KEY
# until "CHECK SUBJECT" holds. A loaded machine may take a while to map a window or pass on its
# focus, so a press can be lost; a press that did take must make the check hold.
press() {
  local name=$1 key=$2 check=$3 subject=${4:-}
  for _ in $(seq 20); do
    local window
    window=$(window_of "$name")
    if [ -n "$window" ]; then
      focus "$window" || true  # a press may still reach it; the check tells
      sleep 0.3
      xdotool key "$key"
    fi
    for _ in $(seq 10); do
      $check "$subject" && return 0
      sleep 0.1
    done
  done
  echo "pressing $key on '$name' never made '$check $subject' true"
  explain
  exit 1
}

# choose_difficult: Difficult from the Option menu of the main window, through the keyboard.
# Menu popups are windows without a name (so is one window of the X server's own): the menu is
# open when there is one more of them.
popups() { xdotool search --onlyvisible --name '^$' 2>/dev/null | wc -l; }
menu_open() { [ "$(popups)" -gt "$closed" ]; }
choose_difficult() {
  closed=$(popups)
  press '^Tavrelo$' alt+o menu_open
  xdotool key d
  sleep 0.3
}

# wait_exit SECONDS: waits for the program to end and sets `status` to its exit status; fails
# the test when it has not ended in time.
wait_exit() {
  for _ in $(seq $(( $1 * 10 ))); do ended && break; sleep 0.1; done
  ended || { echo "the program did not end within $1 s"; exit 1; }
  status=0
  wait "$app" || status=$?
  app=""
}

# geometry WINDOW: "X Y WIDTH HEIGHT" of a window on the screen.
geometry() {
  xdotool getwindowgeometry "$1" |
    awk '/Position/ { split($2, p, ","); x = p[1]; y = p[2] }
         /Geometry/ { split($2, g, "x"); print x, y, g[1], g[2] }'
}

# varied: whether the colours on standard input (RRGGBB, one a line) are far apart, as a picture's
# are, rather than one colour with a little shading.
varied() {
  local first="" far=0 colour d i
  while read -r colour; do
    [ -n "$first" ] || first=$colour
    for i in 0 2 4; do
      d=$(( 16#${colour:i:2} - 16#${first:i:2} ))
      d=${d#-}
      if (( d > far )); then far=$d; fi
    done
  done
  (( far > 48 ))
}
