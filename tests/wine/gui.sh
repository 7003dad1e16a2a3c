# The Windows program on real windows, under Xvfb: the check program's
# front end group, then the real wizard driven from the keyboard as a user
# would. Every step waits for what the user would see (a window, its focus,
# a log line) with a bounded number of polls, never for a fixed time. With
# SCREENSHOT_DIR set (tests/wine/run --screenshots DIR), the start and
# success screens are saved there as screenshot-start.png and
# screenshot-success.png.
# shellcheck shell=bash

CAPTION="FrontPage Theme Installation"

# wait_until SECONDS COMMAND...: true as soon as the command succeeds; polls
# it every quarter second, at most SECONDS * 4 times.
wait_until() {
  local polls=$(($1 * 4))
  until "${@:2}"; do
    polls=$((polls - 1))
    [ "$polls" -gt 0 ] || return 1
    sleep 0.25
  done
}

# Visible top-level windows with the wizard's caption.
caption_windows() { xdotool search --onlyvisible --name "^$CAPTION\$" 2>/dev/null; }
window_count_is() { [ "$(caption_windows | wc -l)" -eq "$1" ]; }
gui_log_has() { tr -d '\r' <"$(log_of "$WORK/gui")" 2>/dev/null | grep -qxF -- "$*"; }
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
  [ -n "$window" ] && focus "$window" && xdotool key "$1"
}

# The screen is drawn when two captures a poll apart agree.
screen_is_steady() {
  import -window root "$WORK/screen.ppm" 2>/dev/null || return 1
  cmp -s "$WORK/screen.ppm" "$WORK/screen.last.ppm" && return 0
  mv "$WORK/screen.ppm" "$WORK/screen.last.ppm"
  return 1
}

# screenshot NAME: the wizard's window, focused so that its caption is drawn
# active, as SCREENSHOT_DIR/screenshot-NAME.png.
screenshot() {
  local window X Y WIDTH HEIGHT
  window=$(caption_windows | head -n 1)
  focus "$window"
  rm -f "$WORK/screen.last.ppm"
  mkdir -p "$SCREENSHOT_DIR"
  wait_until 15 screen_is_steady && eval "$(xdotool getwindowgeometry --shell "$window")" &&
    convert "$WORK/screen.ppm" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip \
      "$SCREENSHOT_DIR/screenshot-$1.png"
}

# Starts Xvfb on a free display for the rest of the run (DISPLAY).
start_display() {
  [ -n "${XVFB_PID:-}" ] && return 0
  local tool
  for tool in Xvfb xdotool ${SCREENSHOT_DIR:+import convert}; do
    command -v "$tool" >/dev/null || { fail "gui: $tool is not installed"; return 1; }
  done
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  wait_until 10 test -s "$WORK/display" || { fail "gui: Xvfb did not start"; return 1; }
  export DISPLAY=":$(cat "$WORK/display")"
}

# The check program's answers for the win32 machine and, on real windows,
# the win32 front end.
run_checks() {
  start_display || return
  copy_image "$BASE" "$WORK/checks"
  in_prefix "$WORK/checks" "$CHECKS" 2>&1 | tr -d '\r' >"$WORK/checks.out"
  same "the win32 checks' answers" "$HERE/checks.expected" "$WORK/checks.out"
}

# "Next >" (the default button), "Next >" again to the licence, "Accept",
# "Next >" to install, then "Finish", which opens the readme in Notepad.
run_gui() {
  start_display || return
  local p=$WORK/gui key what until status=1
  copy_image "$BASE" "$p"
  setup_one_version "$p"
  # Without a window manager, Wine draws the windows' frames itself.
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n' | import_reg "$p"
  stop_wine "$p"
  (cd "$KIT" && WINEPREFIX=$p exec "$WINE" "$EXE") >"$WORK/gui.out" 2>&1 &
  local program=$!
  if ! wait_until 60 window_count_is 1; then
    fail "gui: the wizard's window did not appear"
    return
  fi
  [ -z "$SCREENSHOT_DIR" ] || check "gui: screenshot of the start screen" screenshot start
  # A key (none: only wait), what it does, and what shows that it did.
  while IFS='|' read -r -u 3 key what until; do
    [ -z "$key" ] || check "gui: $key pressed for \"$what\"" press "$key"
    # shellcheck disable=SC2086 # a command and its words
    check "gui: $what" wait_until 60 $until
  done 3<<'EOF'
Return|Next > found FrontPage|gui_log_has Only one version found, so just assume to install to this.
Return|Next > opened the licence|window_count_is 2
Return|Accept took the licence|gui_log_has User accepted licence
|the licence dialog closed|window_count_is 1
Return|Next > installed|gui_log_has The installation was successfully completed.
EOF
  [ -z "$SCREENSHOT_DIR" ] || check "gui: screenshot of the success screen" screenshot success
  check "gui: Finish pressed" press Return # with "View Readme file" ticked
  wait_until 30 eval "! kill -0 $program 2>/dev/null" && wait "$program" && status=0
  check "gui: Finish ended the program with 0" [ "$status" -eq 0 ]
  check "gui: Notepad shows the readme" wait_until 30 eval \
    "xdotool search --onlyvisible --name 'readme|Notepad' >/dev/null 2>&1"
  check "gui: the kit's theme was installed" \
    [ -d "$(c_path "$p" "$COMMON_FILES\\Microsoft Shared\\themes\\harbour")" ]
}
