# Helpers of tests/wine/run: results, the Wine to use, machine images
# (prefixes) with FrontPage installed, and the logs.
# shellcheck shell=bash

PASSED=0
FAILED=0
pass() { PASSED=$((PASSED + 1)); }
fail() { FAILED=$((FAILED + 1)); echo "FAILED: $*" >&2; }
# check "what" command...: passes when the command succeeds.
check() { if "${@:2}"; then pass; else fail "$1"; fi; }
# same WHAT EXPECTED GOT: passes when the two files agree, else shows how not.
same() {
  diff -u "$2" "$3" >"$WORK/diff" && pass || { fail "$1 differ:" && head -n 40 "$WORK/diff" >&2; }
}

# --- Which Wine -------------------------------------------------------------

# The first of the Wine loaders given that runs on this kernel (kernels
# built without ia32 emulation refuse the 32-bit one).
first_loader() {
  local loader
  for loader in "$@"; do
    [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1 && echo "$loader" && return 0
  done
  return 1
}

# Sets WINE_MODE (win32|win64), WINE, WINESERVER_BIN, where the 32-bit
# program finds HKLM\Software and Common Files, and the environment of every
# Wine command. In win64 mode the program under test is the 64-bit build of
# the same sources, which reads the registry as a 32-bit program.
choose_wine() {
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_MODE=${TPL_WINE_MODE:-win64}
  [ -n "${TPL_WINE_MODE:-}" ] || ! first_loader /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine >/dev/null ||
    WINE_MODE=win32
  if [ "$WINE_MODE" = win32 ]; then
    WINE=$(command -v wine) WINESERVER_BIN=$(command -v wineserver)
    HKLM_SOFTWARE='HKEY_LOCAL_MACHINE\Software' COMMON_FILES='C:\Program Files\Common Files'
    export WINEARCH=win32
  else
    WINE=$(first_loader /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64 "$(command -v wine64)") || return 1
    WINESERVER_BIN=$(dirname "$WINE")/wineserver64
    [ -x "$WINESERVER_BIN" ] || WINESERVER_BIN=$(command -v wineserver)
    HKLM_SOFTWARE='HKEY_LOCAL_MACHINE\Software\Wow6432Node' COMMON_FILES='C:\Program Files (x86)\Common Files'
    export WINEARCH=win64 WINELOADER=$WINE WINESERVER=$WINESERVER_BIN
  fi
}

# Runs a Wine command in prefix $1.
in_prefix() { WINEPREFIX=$1 "$WINE" "${@:2}"; }
# Waits until Wine has stopped in prefix $1, so its registry is on disk.
stop_wine() { WINEPREFIX=$1 "$WINESERVER_BIN" -w 2>/dev/null || true; }

# --- Machine images ---------------------------------------------------------

# Imports registry text (stdin; backslashes in strings doubled) into prefix
# $1, through a file that stays there.
import_reg() {
  { printf 'REGEDIT4\r\n\r\n'; sed 's/$/\r/'; } >"$1/drive_c/tplsetup-test.reg" &&
    in_prefix "$1" regedit /S 'C:\tplsetup-test.reg' >/dev/null 2>&1
}

# copy_image FROM TO: a machine image's copy, its files linked, its registry
# (which Wine rewrites in place) copied.
copy_image() { cp -al "$1" "$2" && cp --remove-destination "$1"/*.reg "$2"/; }

# Unix path of C: path $2 in prefix $1.
c_path() { local windows=${2#[Cc]:} && echo "$1/drive_c${windows//\\//}"; }

# A fresh machine image. In win64 mode the 32-bit part of Wine never ran, so
# the values a 32-bit program reads from its registry view are written the
# way WOW64 Windows holds them.
make_base_prefix() {
  in_prefix "$1" wineboot -i >/dev/null 2>&1
  [ "$WINE_MODE" = win32 ] || import_reg "$1" <<EOF
[$HKLM_SOFTWARE\\Microsoft\\Windows\\CurrentVersion]
"CommonFilesDir"="C:\\\\Program Files (x86)\\\\Common Files"
"ProgramFilesDir"="C:\\\\Program Files (x86)"

[$HKLM_SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]
"CurrentVersion"="6.1"
"CSDVersion"="Service Pack 1"
"CurrentBuildNumber"="7601"
EOF
  stop_wine "$1"
  [ -f "$1/system.reg" ]
}

# Installs FrontPage VERSION (2000 2002 2003) at ROOT (a C: path) in
# prefix $1: its registry value and its program file.
add_frontpage() {
  local office=$(($2 == 2000 ? 9 : $2 == 2002 ? 10 : 11))
  printf '[%s\\Microsoft\\Office\\%s.0\\Common\\InstallRoot]\n"Path"="%s\\\\"\n' \
    "$HKLM_SOFTWARE" "$office" "${3//\\/\\\\}" | import_reg "$1"
  install -D <(printf 'MZ') "$(c_path "$1" "$3\\frontpg.exe")"
}

# --- Logs and files ---------------------------------------------------------

# The installation log of prefix $1 (in the user's temp folder).
log_of() { find "$1/drive_c/users" -maxdepth 3 -name tplsetup.log 2>/dev/null | head -n 1; }

# A log with what differs from run to run masked: dates and times, the user
# name, and the system's text after an error code (Wine's texts are not
# Windows' own). Line ends become LF.
masked_log() {
  tr -d '\r' <"$1" | sed -E \
    -e 's/^(Log file (opened|closed) on ).*/\1<date> at <time>/' \
    -e 's/^User name: .*/User name: <user>/' \
    -e 's/^(Reason: \(-?[0-9]+\) ).*/\1<system text>/'
}

# Files of drive C: of prefix $1, for a before/after comparison.
c_files() {
  (cd "$1/drive_c" && find . -type f ! -path './windows/*' ! -path './users/*/Temp/*' | LC_ALL=C sort)
}
