# The real wizard under Xvfb, driven from the keyboard as a user would:
# "Next >" (the default button), "Next >" again to the licence, "Accept",
# "Next >" to install, then "Finish", which opens the readme in Notepad.
# Every step waits for what the user would see (a window, its focus, a log
# line) with a bounded number of polls, never for a fixed time. With
# SCREENSHOT_DIR set (tests/wine/run --screenshots DIR), the start and
# success screens are saved there as screenshot-start.png and
# screenshot-success.png.
# shellcheck shell=bash

CAPTION="FrontPage Theme Installation"

free_display() {
  local n
  for n in $(seq 99 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

# Visible top-level windows with the wizard's caption.
caption_windows() { xdotool search --onlyvisible --name "^$CAPTION\$" 2>/dev/null; }

# wait_until SECONDS COMMAND...: true as soon as the command succeeds; polls
# it every quarter second, at most SECONDS * 4 times.
wait_until() {
  local polls=$(($1 * 4))
  shift
  while [ "$polls" -gt 0 ]; do
    if "$@"; then return 0; fi
    sleep 0.25
    polls=$((polls - 1))
  done
  return 1
}

window_count_is() { [ "$(caption_windows | wc -l)" -eq "$1" ]; }
gui_log_has() {
  local log
  log=$(log_of "$GUI_PREFIX")
  [ -n "$log" ] && tr -d '\r' <"$log" | grep -qxF -- "$1"
}

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# focus WINDOW: gives it the keyboard and waits until it has it.
focus() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null
  wait_until 10 has_focus "$1"
}

# Presses KEY in the newest window with the wizard's caption, once that
# window has the keyboard.
press() {
  local window
  window=$(caption_windows | tail -n 1)
  [ -n "$window" ] && focus "$window" || return 1
  xdotool key "$1"
}

# The screen is drawn when two captures a poll apart agree.
screen_is_steady() {
  import -window root "$WORK/screen.ppm" 2>/dev/null || return 1
  cmp -s "$WORK/screen.ppm" "$WORK/screen.last.ppm" && return 0
  mv "$WORK/screen.ppm" "$WORK/screen.last.ppm"
  return 1
}

# screenshot FILE: the wizard's window, focused so that its caption is drawn
# active (the whole screen when its place is unknown).
screenshot() {
  local file=$1 window geometry
  window=$(caption_windows | head -n 1)
  [ -n "$window" ] && focus "$window"
  rm -f "$WORK/screen.last.ppm"
  wait_until 15 screen_is_steady || return 1
  geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)
  if [ -n "$geometry" ]; then
    local X Y WIDTH HEIGHT
    eval "$geometry"
    convert "$WORK/screen.ppm" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$file"
  else
    convert "$WORK/screen.ppm" -strip "$file"
  fi
}

# Starts Xvfb on a free display for the rest of the run (DISPLAY).
start_display() {
  [ -n "${XVFB_PID:-}" ] && return 0
  local tool
  for tool in Xvfb xdotool import convert; do
    if ! command -v "$tool" >/dev/null; then
      fail "gui: $tool is not installed"
      return 1
    fi
  done
  local display
  display=$(free_display) || {
    fail "gui: no free X display"
    return 1
  }
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$display"
  if ! wait_until 10 xdotool getdisplaygeometry >/dev/null 2>&1; then
    fail "gui: Xvfb did not start"
    return 1
  fi
}

# The win32 front end's checks on real windows.
run_front_end_checks() {
  start_display || return
  local prefix=$WORK/front-end
  cp -al "$BASE" "$prefix"
  in_prefix "$prefix" "$CHECKS" front-end >"$WORK/front-end.out" 2>&1
  add_counts "win32 front end checks" $? "$WORK/front-end.out"
  kill_wine "$prefix"
}

run_gui() {
  SCENARIO=gui
  start_display || return
  GUI_PREFIX=$WORK/gui
  cp -al "$BASE" "$GUI_PREFIX"
  setup_one_version "$GUI_PREFIX"
  # Without a window manager, Wine draws the windows' frames itself.
  import_reg "$GUI_PREFIX" <<'EOF'
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
EOF
  stop_wine "$GUI_PREFIX"
  local kit=$KIT shots=${SCREENSHOT_DIR:-}
  [ -d "$ROOT/examples/kit/common" ] && kit=$ROOT/examples/kit
  [ -z "$shots" ] || mkdir -p "$shots"

  (cd "$kit" && WINEPREFIX=$GUI_PREFIX exec "$WINE" "$EXE") >"$WORK/gui.out" 2>&1 &
  local program=$!
  if ! wait_until 60 window_count_is 1; then
    fail "gui: the wizard's window did not appear"
    kill_wine "$GUI_PREFIX"
    return
  fi
  [ -z "$shots" ] || check "gui: screenshot of the start screen" screenshot "$shots/screenshot-start.png"

  check "gui: Next > pressed" press Return  # detection and the install plan
  check "gui: the first Next found FrontPage" wait_until 30 gui_log_has "Only one version found, so just assume to install to this."
  check "gui: Next > pressed again" press Return  # the licence
  check "gui: the licence dialog opened" wait_until 30 window_count_is 2
  check "gui: Accept pressed" press Return
  check "gui: the licence was accepted" wait_until 30 gui_log_has "User accepted licence"
  check "gui: the licence dialog closed" wait_until 30 window_count_is 1
  check "gui: Next > pressed to install" press Return
  check "gui: the installation succeeded" wait_until 60 gui_log_has "The installation was successfully completed."
  [ -z "$shots" ] || check "gui: screenshot of the success screen" screenshot "$shots/screenshot-success.png"
  check "gui: Finish pressed" press Return  # with "View Readme file" ticked
  check "gui: Finish ended the program" wait_until 30 bash -c "! kill -0 $program 2>/dev/null"
  local status=1
  if ! kill -0 "$program" 2>/dev/null; then
    wait "$program"
    status=$?
  fi
  check "gui: the program ended with 0 (got $status)" [ "$status" -eq 0 ]
  check "gui: Notepad shows the readme" wait_until 30 bash -c "xdotool search --onlyvisible --name 'readme' >/dev/null 2>&1 || xdotool search --onlyvisible --name 'Notepad' >/dev/null 2>&1"
  local theme
  theme=$(ls "$kit/common/Themes" | head -n 1)
  check "gui: the kit's theme $theme was installed" \
    [ -d "$(c_path "$GUI_PREFIX" "$(common_files)\\Microsoft Shared\\themes\\$theme")" ]
  kill_wine "$GUI_PREFIX"
}
