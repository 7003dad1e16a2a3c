# The silent scenarios of tests/wine/run: each sets up a machine image, runs
# the Windows program on it and the native program on a copy of it, and
# compares what they did. The native program's own tests pin down what is
# right; here the two must agree.
# shellcheck shell=bash

OFFICE='C:\Program Files\Microsoft Office'

setup_one_version() {
  add_frontpage "$1" 2002 "$OFFICE\\Office10"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1033")"
}
# Every version that has a registry key and a program file, German templates
# as well, and a theme file of the user's own that the installation replaces
# and the uninstallation puts back.
setup_versions() {
  setup_one_version "$1"
  add_frontpage "$1" 2000 "$OFFICE\\Office"
  add_frontpage "$1" 2003 "$OFFICE\\OFFICE11"
  mkdir -p "$(c_path "$1" "$OFFICE\\templates\\1031")" "$(dirname "$(users_file "$1")")"
  echo "the user's own" >"$(users_file "$1")"
}
users_file() { c_path "$1" "$COMMON_FILES\\Microsoft Shared\\themes\\harbour\\harbour.inf"; }
# A file stands where a destination folder must be: CreateDirectoryA fails
# with 183 (a read-only destination file would not fail under Wine as root).
setup_failure() {
  setup_one_version "$1"
  printf 'in the way' >"$(c_path "$1" "$OFFICE\\templates\\1033\\pages")"
}

# run_program wine|native OPTIONS...: one program, with the kit, on its copy
# of the image ($WORK/$SCENARIO.SIDE); its status in STATUS, its standard
# output and error (line ends LF, system texts masked) in SIDE.out and .err.
run_program() {
  local p=$WORK/$SCENARIO.$1
  if [ "$1" = wine ]; then
    in_prefix "$p" "$EXE" --kit "Z:${KIT//\//\\}" "${@:2}"
  else
    "$NATIVE" --prefix "$p" --kit "$KIT" "${@:2}"
  fi >"$p.stdout" 2>"$p.stderr"
  STATUS=$?
  [ "$1" = native ] || stop_wine "$p"
  tr -d '\r' <"$p.stdout" >"$p.out"
  masked_log "$p.stderr" >"$p.err"
}

# run_scenario NAME EXIT-STATUS OPTIONS...: both programs end with
# EXIT-STATUS and agree on the masked log, the new files and their bytes (a
# record's run times masked), and what they printed.
run_scenario() {
  SCENARIO=$1
  local status=$2 p=$WORK/$1 side kind
  shift 2
  copy_image "$BASE" "$p.wine"
  "setup_$SCENARIO" "$p.wine"
  stop_wine "$p.wine"
  c_files "$p.wine" >"$p.before"
  copy_image "$p.wine" "$p.native"
  for side in wine ${NATIVE:+native}; do
    run_program "$side" --silent "$@"
    check "$SCENARIO: the $side program ends with $status (got $STATUS)" [ "$STATUS" -eq "$status" ]
    masked_log "$(log_of "$p.$side")" >"$p.$side.log"
    c_files "$p.$side" | LC_ALL=C comm -13 "$p.before" - | grep -v '/tplsetup\.log$' |
      while IFS= read -r file; do
        echo "$file $(sed -E 's/^run [0-9-]+ [0-9:]+ /run <when> /' "$p.$side/drive_c/$file" | md5sum)"
      done >"$p.$side.files"
  done
  [ -n "$NATIVE" ] || return 0
  for kind in log files out err; do
    same "$SCENARIO: the two programs' $kind" "$p.wine.$kind" "$p.native.$kind"
  done
}

# After the versions scenario the Windows program uninstalls what it
# installed: drive C is as it was before (the log aside), the user's file
# back. (The native suite undoes the native program's installations.)
run_uninstall_checks() {
  run_program wine --uninstall --silent
  check "uninstall: the Windows program ends with 0 (got $STATUS)" [ "$STATUS" -eq 0 ]
  check "uninstall: drive C is as it was" diff <(c_files "$WORK/versions.wine") "$WORK/versions.before"
  check "uninstall: the user's file is back" grep -qx "the user's own" "$(users_file "$WORK/versions.wine")"
}

run_all_scenarios() {
  run_scenario versions 0 --accept-licence --versions 2000,2002,2003 --language 1031
  run_uninstall_checks
  run_scenario failure 1 --accept-licence
  # The system's own text follows the code only in the Windows program's
  # log; the comparison masks it.
  check "failure: the log gives the system's reason" grep -qE '^Reason: \(183\) .+' \
    <(tr -d '\r' <"$(log_of "$WORK/failure.wine")")
}

# Options the Windows program alone refuses, before it starts the wizard:
# the status, and a text on standard output or error.
run_command_line_checks() {
  local p=$WORK/cli status stream text options got
  copy_image "$BASE" "$p"
  while IFS='|' read -r status stream text options; do
    # shellcheck disable=SC2086 # the options are words
    in_prefix "$p" "$EXE" $options </dev/null >"$p.out" 2>"$p.err"
    got=$?
    check "$options: ends with $status (got $got)" [ "$got" -eq "$status" ]
    check "$options: \"$text\" on standard $stream" grep -qF -- "$text" "$p.$stream"
  done <<'EOF'
64|err|C:\no\such\kit|--kit C:\no\such\kit --silent
64|err|--prefix|--prefix /tmp --silent
EOF
}
