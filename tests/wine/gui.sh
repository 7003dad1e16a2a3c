# The Windows program on real windows, under Xvfb: the check program's
# front end group, then the real wizard driven from the keyboard as a user
# would. Every step waits for what the user would see (a window, its focus,
# a log line) with a bounded number of polls, never for a fixed time.
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
gui_log_has() { tr -d '\r' 2>/dev/null <"$(log_of "$WORK/gui")" | grep -qxF -- "$*"; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
program_ended() { ! kill -0 "$GUI_PROGRAM" 2>/dev/null; }
notepad_shown() { xdotool search --onlyvisible --name 'readme|Notepad' >/dev/null 2>&1; }

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

# Called with "start" and "success" on those screens: nothing here;
# scripts/screenshots takes the README's screenshots there.
on_screen() { :; }

# Starts Xvfb on a free display for the rest of the run (DISPLAY).
start_display() {
  [ -n "${XVFB_PID:-}" ] && return 0
  command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
    fail "gui: Xvfb or xdotool is not installed"
    return 1
  }
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
  local p=$WORK/gui key what until status theme
  copy_image "$BASE" "$p"
  setup_one_version "$p"
  # Without a window manager, Wine draws the windows' frames itself.
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n' | import_reg "$p"
  stop_wine "$p"
  (cd "$KIT" && WINEPREFIX=$p exec "$WINE" "$EXE") >"$WORK/gui.out" 2>&1 &
  GUI_PROGRAM=$!
  wait_until 60 window_count_is 1 || { fail "gui: the wizard's window did not appear" && return; }
  on_screen start
  # A key (none: only wait), what it does, the screen it leads to, and what
  # shows that it did.
  while IFS='|' read -r -u 3 key what screen until; do
    [ -z "$key" ] || check "gui: $key pressed for \"$what\"" press "$key"
    # shellcheck disable=SC2086 # a command and its words
    check "gui: $what" wait_until 60 $until
    [ -z "$screen" ] || on_screen "$screen"
  done 3<<'EOF'
Return|Next > found FrontPage||gui_log_has Only one version found, so just assume to install to this.
Return|Next > opened the licence||window_count_is 2
Return|Accept took the licence||gui_log_has User accepted licence
|the licence dialog closed||window_count_is 1
Return|Next > installed|success|gui_log_has The installation was successfully completed.
Return|Finish (with "View Readme file" ticked) ended the program||program_ended
|Notepad shows the readme||notepad_shown
EOF
  program_ended && wait "$GUI_PROGRAM"
  status=$?
  check "gui: the program ended with 0 (got $status)" [ "$status" -eq 0 ]
  theme=$(c_path "$p" "$COMMON_FILES\\Microsoft Shared\\themes\\harbour")
  check "gui: the kit's theme was installed" [ -d "$theme" ]
  # The uninstall asks in a message box, then shows its progress in a window of its own.
  (cd "$KIT" && WINEPREFIX=$p exec "$WINE" "$EXE" --uninstall) >"$WORK/gui-undo.out" 2>&1 &
  GUI_PROGRAM=$!
  check "gui: the uninstall asks first" wait_until 60 window_count_is 1
  check "gui: Return confirmed the uninstall" press Return
  check "gui: the uninstall ended" wait_until 60 program_ended
  wait "$GUI_PROGRAM"
  status=$?
  check "gui: the uninstall ended with 0 (got $status)" [ "$status" -eq 0 ]
  check "gui: the kit's theme was removed" [ ! -e "$theme" ]
}
