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

run_machine_checks() {
  local prefix=$WORK/checks
  cp -al "$BASE" "$prefix"
  in_prefix "$prefix" "$CHECKS" machine >"$WORK/checks.out" 2>&1
  add_counts "win32 machine checks" $? "$WORK/checks.out"
  stop_wine "$prefix"
}

# --- Scenarios ----------------------------------------------------------------
# Each installs with the Windows program and with the native one on a copy of
# the same image; the native program's own tests pin down what is right, so
# here the two must agree: status, end text, masked log, files and bytes.

setup_one_version() {
  add_frontpage "$1" 2002 "$OFFICE\\Office10"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1033")"
  if [ "$SCENARIO" = one_version ]; then  # a theme file of the user's own, replaced, then put back
    mkdir -p "$(c_path "$1" "$(common_files)\\Microsoft Shared\\themes\\harbour")"
    printf 'the user'"'"'s own' >"$(c_path "$1" "$(common_files)\\Microsoft Shared\\themes\\harbour\\harbour.inf")"
  fi
}
setup_two_versions() {
  add_frontpage "$1" 2000 "$OFFICE\\Office"
  add_frontpage "$1" 2003 "$OFFICE\\OFFICE11"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1033")"
}
setup_languages() {
  setup_one_version "$1"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1031")"
}
# A file stands where a destination folder must be: CreateDirectoryA fails
# with 183 (a read-only destination file would not fail under Wine as root).
setup_failure() {
  setup_one_version "$1"
  printf 'in the way' >"$(c_path "$1" "$OFFICE\\templates\\1033\\pages")"
}
setup_refused() { setup_one_version "$1"; }
setup_not_found() { :; }

# same WHAT A B: passes when files A and B are the same, else shows the diff.
same() {
  if diff -u "$2" "$3" >"$WORK/$SCENARIO.diff"; then
    pass
  else
    fail "$SCENARIO: the two programs' $1 differ:"
    head -n 40 "$WORK/$SCENARIO.diff" >&2
  fi
}

# run_in wine|native: runs one program on its copy of the image; leaves
# SCENARIO.SIDE.{out,err,log,new}.
run_in() {
  local side=$1 p=$WORK/$SCENARIO.$1 log
  shift
  if [ "$side" = wine ]; then
    in_prefix "$p" "$EXE" --kit "$(z_path "$KIT")" --silent "$@"
  else
    "$NATIVE" --prefix "$p" --kit "$KIT" --silent "$@"
  fi >"$p.out" 2>"$p.err"
  local status=$?
  [ "$side" = native ] || stop_wine "$p"
  check "$SCENARIO: the $side program ends with $EXPECTED (got $status)" [ "$status" -eq "$EXPECTED" ]
  log=$(log_of "$p")
  check "$SCENARIO: the $side program wrote a log" [ -n "$log" ]
  masked_log "${log:-/dev/null}" >"$p.log"
  c_files "$p" | LC_ALL=C comm -13 "$WORK/$SCENARIO.before" - | grep -v '/tplsetup\.log$' >"$p.new"
}

# run_scenario NAME EXIT-STATUS LAST-LOG-LINE OPTIONS...
run_scenario() {
  SCENARIO=$1 EXPECTED=$2
  local last=$3 p=$WORK/$1.wine pn=$WORK/$1.native
  shift 3
  cp -al "$BASE" "$p"
  "setup_$SCENARIO" "$p"
  stop_wine "$p"
  c_files "$p" >"$WORK/$SCENARIO.before"
  cp -al "$p" "$pn"
  run_in wine "$@"
  check "$SCENARIO: the log ends with \"$last\"" \
    [ "$(tail -n 3 "$p.log" | head -n 1)" = "$last" ]
  [ -n "$NATIVE" ] || return 0
  run_in native "$@"
  same logs "$p.log" "$pn.log"
  same "installed files" "$p.new" "$pn.new"
  local file differing=
  while IFS= read -r file; do
    case $file in
      */tplsetup/records/*.record)
        cmp -s <(masked_record "$p/drive_c/$file") <(masked_record "$pn/drive_c/$file") || differing+=" $file" ;;
      *) cmp -s "$p/drive_c/$file" "$pn/drive_c/$file" || differing+=" $file" ;;
    esac
  done <"$p.new"
  check "$SCENARIO: the two programs installed the same bytes (not:$differing)" [ -z "$differing" ]
  same "end texts" <(tr -d '\r' <"$p.out") <(tr -d '\r' <"$pn.out")
  same "error texts" <(masked_log "$p.err") <(masked_log "$pn.err")
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
  local ok="The installation was successfully completed." failed="Installation failed. Please check the log file."
  run_scenario one_version 0 "$ok" --accept-licence
  run_scenario two_versions 0 "$ok" --accept-licence --versions 2000,2003
  run_scenario languages 0 "$ok" --accept-licence --language 1031
  run_scenario failure 1 "$failed" --accept-licence
  # The system's own text follows the code only in the Windows program's
  # log; the comparison masks it.
  check "failure: the log gives the system's reason" grep -qE '^Reason: \(183\) .+' \
    <(tr -d '\r' <"$(log_of "$WORK/failure.wine")")
  run_scenario refused 2 "Installation cancelled."
  run_scenario not_found 1 "$failed" --accept-licence
  run_uninstall_checks
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
