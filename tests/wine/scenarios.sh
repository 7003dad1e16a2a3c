# The silent scenarios of tests/wine/run: each sets up a machine image, runs
# the Windows program on it and the native program on a copy of it, and
# compares what they did.
# shellcheck shell=bash

OFFICE='C:\Program Files\Microsoft Office'

# The 64-bit stand-in, built from this tree with the win64 preset (sets EXE
# and CHECKS).
build_win64_standin() {
  (cd "$ROOT" && cmake --preset win64 && cmake --build --preset win64 -j 2 --target tplsetup win32_checks) \
    >"$WORK/win64-build.log" 2>&1 || {
    tail -n 30 "$WORK/win64-build.log" >&2
    return 1
  }
  EXE=$ROOT/build/win64/tplsetup.exe
  CHECKS=$ROOT/build/win64/win32_checks.exe
}

# The Common Files folder as the 32-bit program reads it.
common_files() {
  if [ "$WINE_MODE" = win64 ]; then echo 'C:\Program Files (x86)\Common Files'; else echo 'C:\Program Files\Common Files'; fi
}

# The user's Application Data folder in prefix $1 (Unix path).
app_data() { find "$1/drive_c/users" -mindepth 3 -maxdepth 3 -path '*/AppData/Roaming' | head -n 1; }

run_machine_checks() {
  local prefix=$WORK/checks
  cp -al "$BASE" "$prefix"
  in_prefix "$prefix" "$CHECKS" machine >"$WORK/checks.out" 2>&1
  add_counts "win32 machine checks" $? "$WORK/checks.out"
  stop_wine "$prefix"
}

# --- Expectations -----------------------------------------------------------

# has_file PREFIX C-PATH [KIT-FILE]: the file exists (with the kit file's bytes).
has_file() {
  local file
  file=$(c_path "$1" "$2")
  if [ ! -f "$file" ]; then
    fail "$SCENARIO: missing $2"
  elif [ -n "${3:-}" ] && ! cmp -s "$file" "$KIT/$3"; then
    fail "$SCENARIO: $2 differs from the kit's $3"
  else
    pass
  fi
}

lacks_file() {
  if [ -e "$(c_path "$1" "$2")" ]; then fail "$SCENARIO: $2 should not exist"; else pass; fi
}

# log_has LINE: the Wine run's log holds this exact line.
log_has() {
  if tr -d '\r' <"$WORK/$SCENARIO.wine.log" | grep -qxF -- "$1"; then
    pass
  else
    fail "$SCENARIO: the log lacks the line: $1"
  fi
}

log_matches() {
  if tr -d '\r' <"$WORK/$SCENARIO.wine.log" | grep -qE -- "$1"; then
    pass
  else
    fail "$SCENARIO: no log line matches: $1"
  fi
}

# stream_has wine|native out|err TEXT
stream_has() {
  if tr -d '\r' <"$WORK/$SCENARIO.$1.$2" | grep -qF -- "$3"; then
    pass
  else
    fail "$SCENARIO: $1 standard $2 lacks: $3"
  fi
}

# The log ends on the end message and the closing line, then one empty line.
log_closes_with() {
  local tail
  tail=$(tr -d '\r' <"$WORK/$SCENARIO.wine.log" | tail -n 3 | sed -E 's/ on .* at .*/ on <when>/')
  if [ "$tail" = "$(printf '%s\nLog file closed on <when>\n' "$1")" ]; then
    pass
  else
    fail "$SCENARIO: the log does not close with '$1': $tail"
  fi
}

# --- Scenarios ----------------------------------------------------------------

setup_one_version() {
  add_frontpage "$1" 2002 "$OFFICE\\Office10"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1033")"
  if [ "$SCENARIO" = one_version ]; then  # a theme file of the user's own, replaced, then put back
    mkdir -p "$(c_path "$1" "$(common_files)\\Microsoft Shared\\themes\\harbour")"
    printf 'the user'"'"'s own' >"$(c_path "$1" "$(common_files)\\Microsoft Shared\\themes\\harbour\\harbour.inf")"
  fi
}
expect_one_version() {
  local p=$1 shared
  shared="$(common_files)\\Microsoft Shared\\themes"
  log_has "FP2002 found and verified"
  log_has "Only one version found, so just assume to install to this."
  log_has "User accepted licence"
  log_closes_with "The installation was successfully completed."
  has_file "$p" "$shared\\harbour\\harbour.inf" common/Themes/harbour/harbour.inf
  has_file "$p" "$shared\\harbour\\images\\rule.gif" common/Themes/harbour/images/rule.gif
  has_file "$p" "$OFFICE\\templates\\1033\\pages\\contact.tem\\contact.htm" common/Pages/contact.tem/contact.htm
  has_file "$p" "$OFFICE\\templates\\1033\\pages\\gallery.tem\\gallery.htm" fp2000/Pages/gallery.tem/gallery.htm
  has_file "$p" "$OFFICE\\templates\\1033\\webs\\shop.tem\\shop.htm" common/Webs/shop.tem/shop.htm
  has_file "$p" "$OFFICE\\templates\\1033\\frames\\banner.tem\\banner.htm" common/Frames/banner.tem/banner.htm
  stream_has wine out "The installation was successfully completed."
}

setup_two_versions() {
  add_frontpage "$1" 2000 "$OFFICE\\Office"
  add_frontpage "$1" 2003 "$OFFICE\\OFFICE11"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1033")"
}
expect_two_versions() {
  local p=$1 roaming
  log_has "More than one version found, asking which versions to install to."
  log_has "User chose to install for FrontPage 2000 2003"
  log_closes_with "The installation was successfully completed."
  has_file "$p" "$(common_files)\\Microsoft Shared\\themes11\\harbour\\harbour.css" common/Themes/harbour/harbour.css
  has_file "$p" "$OFFICE\\templates\\1033\\pages11\\gallery.tem\\gallery.htm" fp2000/Pages/gallery.tem/gallery.htm
  has_file "$p" "$OFFICE\\templates\\1033\\DWTs\\plain\\plain.dwt" common/dwts/plain/plain.dwt
  roaming=$(app_data "$p")
  check "$SCENARIO: profile page templates" cmp -s "$roaming/Microsoft/FrontPage/Pages/contact.tem/contact.htm" "$KIT/common/Pages/contact.tem/contact.htm"
  check "$SCENARIO: profile DWTs" cmp -s "$roaming/Microsoft/FrontPage/DWTs/plain/plain.dwt" "$KIT/common/dwts/plain/plain.dwt"
  check "$SCENARIO: profile themes" cmp -s "$roaming/Microsoft/Themes/harbour/harbour.inf" "$KIT/common/Themes/harbour/harbour.inf"
}

setup_languages() {
  add_frontpage "$1" 2002 "$OFFICE\\Office10"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1033")" "$(c_path "$1" "$OFFICE\\templates\\1031")"
}
expect_languages() {
  local p=$1
  log_has "This system has language folder 1031 (German)"
  log_has "This system has language folder 1033 (English)"
  log_has "User chose to install for language LCID 1031"
  log_closes_with "The installation was successfully completed."
  has_file "$p" "$OFFICE\\templates\\1031\\pages\\contact.tem\\contact.htm" common/Pages/contact.tem/contact.htm
  lacks_file "$p" "$OFFICE\\templates\\1033\\pages"
}

# A file stands where a destination folder must be: CreateDirectoryA fails
# with 183 (a read-only destination file would not fail under Wine as root).
setup_failure() {
  setup_one_version "$1"
  printf 'in the way' >"$(c_path "$1" "$OFFICE\\templates\\1033\\pages")"
}
expect_failure() {
  local folder="$OFFICE\\templates\\1033\\pages"
  log_has "Failed to create folder:: $folder"
  log_matches '^Reason: \(183\) .+'
  log_closes_with "Installation failed. Please check the log file."
  stream_has wine err "Failed to create folder:: $folder"
  stream_has wine err "Reason: (183) "
  lacks_file "$1" "$OFFICE\\templates\\1033\\webs"
}

setup_refused() { setup_one_version "$1"; }
expect_refused() {
  log_has "User rejected licence"
  log_closes_with "Installation cancelled."
  lacks_file "$1" "$(common_files)\\Microsoft Shared\\themes\\harbour"
}

setup_not_found() { :; }
expect_not_found() {
  log_has "No FrontPage installation found"
  log_closes_with "Installation failed. Please check the log file."
  stream_has wine err "Installation Error.  FrontPage not found."
}

# run_scenario NAME EXIT-STATUS OPTIONS...
run_scenario() {
  SCENARIO=$1
  local expected=$2
  shift 2
  local p=$WORK/$SCENARIO.wine pn=$WORK/$SCENARIO.native status
  cp -al "$BASE" "$p"
  "setup_$SCENARIO" "$p"
  stop_wine "$p"
  c_files "$p" >"$WORK/$SCENARIO.before"
  cp -al "$p" "$pn"

  in_prefix "$p" "$EXE" --kit "$(z_path "$KIT")" --silent "$@" \
    >"$WORK/$SCENARIO.wine.out" 2>"$WORK/$SCENARIO.wine.err"
  status=$?
  stop_wine "$p"
  check "$SCENARIO: the Windows program ends with $expected (got $status)" [ "$status" -eq "$expected" ]
  local log
  log=$(log_of "$p")
  if [ -z "$log" ]; then
    fail "$SCENARIO: no installation log"
    return
  fi
  cp "$log" "$WORK/$SCENARIO.wine.log"
  c_files "$p" | LC_ALL=C comm -13 "$WORK/$SCENARIO.before" - | grep -v '/tplsetup\.log$' >"$WORK/$SCENARIO.wine.new"
  "expect_$SCENARIO" "$p"

  [ -n "$NATIVE" ] || return 0
  "$NATIVE" --prefix "$pn" --kit "$KIT" --silent "$@" \
    >"$WORK/$SCENARIO.native.out" 2>"$WORK/$SCENARIO.native.err"
  status=$?
  check "$SCENARIO: the native program ends with $expected (got $status)" [ "$status" -eq "$expected" ]
  log=$(log_of "$pn")
  if [ -z "$log" ]; then
    fail "$SCENARIO: the native program wrote no log"
    return
  fi
  cp "$log" "$WORK/$SCENARIO.native.log"
  if diff -u <(masked_log "$WORK/$SCENARIO.wine.log") <(masked_log "$WORK/$SCENARIO.native.log") \
    >"$WORK/$SCENARIO.log.diff"; then
    pass
  else
    fail "$SCENARIO: the two programs' logs differ:"
    head -n 40 "$WORK/$SCENARIO.log.diff" >&2
  fi
  c_files "$pn" | LC_ALL=C comm -13 "$WORK/$SCENARIO.before" - | grep -v '/tplsetup\.log$' >"$WORK/$SCENARIO.native.new"
  if diff -u "$WORK/$SCENARIO.wine.new" "$WORK/$SCENARIO.native.new" >"$WORK/$SCENARIO.files.diff"; then
    pass
  else
    fail "$SCENARIO: the two programs installed different files:"
    head -n 20 "$WORK/$SCENARIO.files.diff" >&2
  fi
  local files_same=0
  while IFS= read -r file; do
    case $file in
      */tplsetup/records/*.record)
        cmp -s <(masked_record "$p/drive_c/$file") <(masked_record "$pn/drive_c/$file") || files_same=1 ;;
      *) cmp -s "$p/drive_c/$file" "$pn/drive_c/$file" || files_same=1 ;;
    esac
  done <"$WORK/$SCENARIO.wine.new"
  check "$SCENARIO: the two programs installed the same bytes" [ "$files_same" -eq 0 ]
  if diff <(tr -d '\r' <"$WORK/$SCENARIO.wine.out") <(tr -d '\r' <"$WORK/$SCENARIO.native.out") >/dev/null; then
    pass
  else
    fail "$SCENARIO: the two programs printed different end texts"
  fi
}

# A record with the times of its runs masked: paths, digests and order stay.
masked_record() { sed -E 's/^run [0-9-]+ [0-9:]+ /run <when> /' "$1"; }

# After the one_version scenario: both programs uninstall what they
# installed, and drive C is as it was before (the log aside).
run_uninstall_checks() {
  SCENARIO=uninstall
  local p=$WORK/one_version.wine pn=$WORK/one_version.native status
  check "uninstall: the Windows program kept a record" [ -f "$(c_path "$p" "$(common_files)\\tplsetup\\records\\kit.record")" ]
  in_prefix "$p" "$EXE" --uninstall --silent --kit "$(z_path "$KIT")" >"$WORK/uninstall.wine.out" 2>&1
  status=$?
  stop_wine "$p"
  check "uninstall: the Windows program ends with 0 (got $status)" [ "$status" -eq 0 ]
  check "uninstall: the Windows program leaves drive C as it was" \
    diff <(c_files "$p") "$WORK/one_version.before"
  check "uninstall: the Windows program puts the user's file back" \
    grep -qx "the user's own" "$(c_path "$p" "$(common_files)\\Microsoft Shared\\themes\\harbour\\harbour.inf")"
  [ -n "$NATIVE" ] || return 0
  "$NATIVE" --prefix "$pn" --kit "$KIT" --uninstall --silent >"$WORK/uninstall.native.out" 2>&1
  status=$?
  check "uninstall: the native program ends with 0 (got $status)" [ "$status" -eq 0 ]
  check "uninstall: the native program leaves drive C as it was" \
    diff <(c_files "$pn") "$WORK/one_version.before"
  check "uninstall: the native program puts the user's file back" \
    grep -qx "the user's own" "$(c_path "$pn" "$(common_files)\\Microsoft Shared\\themes\\harbour\\harbour.inf")"
}

run_all_scenarios() {
  run_scenario one_version 0 --accept-licence
  run_scenario two_versions 0 --accept-licence --versions 2000,2003
  run_scenario languages 0 --accept-licence --language 1031
  run_scenario failure 1 --accept-licence
  run_scenario refused 2
  run_scenario not_found 1 --accept-licence
  run_uninstall_checks
  local name
  for name in one_version two_versions languages failure refused not_found; do
    echo "   $name: Windows $(wc -l <"$WORK/$name.wine.new" 2>/dev/null || echo '?') files${NATIVE:+, native $(wc -l <"$WORK/$name.native.new" 2>/dev/null || echo '?') files}"
  done
}

# Options the Windows program refuses before it starts the wizard.
run_command_line_checks() {
  SCENARIO=command_line
  local p=$WORK/cli status
  cp -al "$BASE" "$p"
  in_prefix "$p" "$EXE" --kit 'C:\no\such\kit' --silent >"$WORK/cli.out" 2>"$WORK/cli.err"
  status=$?
  check "a missing kit folder ends with 64 (got $status)" [ "$status" -eq 64 ]
  check "a missing kit folder is named on standard error" grep -qF 'C:\no\such\kit' "$WORK/cli.err"
  in_prefix "$p" "$EXE" --prefix /tmp --silent >"$WORK/cli.out" 2>"$WORK/cli.err"
  status=$?
  check "--prefix ends with 64 (got $status)" [ "$status" -eq 64 ]
  check "--prefix is explained on standard error" grep -qF -- '--prefix' "$WORK/cli.err"
  in_prefix "$p" "$EXE" --version >"$WORK/cli.out" 2>"$WORK/cli.err"
  check "--version prints to the Unix standard output" grep -qF 'tplsetup 1.0' "$WORK/cli.out"
  stop_wine "$p"
}
