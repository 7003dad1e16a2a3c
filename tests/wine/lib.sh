# Helpers of tests/wine/run: results, the Wine to use, machine images
# (prefixes) with FrontPage installed, a small kit, and the logs.
# shellcheck shell=bash

PASSED=0
FAILED=0

pass() { PASSED=$((PASSED + 1)); }
fail() {
  FAILED=$((FAILED + 1))
  echo "FAILED: $*" >&2
}
# check "what" command...: passes when the command succeeds.
check() {
  local what=$1
  shift
  if "$@"; then pass; else fail "$what"; fi
}
note() { echo "== $*"; }

# add_counts WHAT STATUS OUTPUT-FILE: takes a check program's failures and
# its closing "N passed, N failed" line into the totals; a program that
# died before that line, or whose status disagrees with it, fails once more.
add_counts() {
  local what=$1 status=$2 output=$3 counts
  sed -n '/^FAILED/p' "$output" | tr -d '\r' >&2
  counts=$(tr -d '\r' <"$output" | grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1)
  echo "   $what: ${counts:-no result}"
  if [ -z "$counts" ]; then
    fail "$what: no result (status $status)"
    return
  fi
  local passed=${counts%% passed*} failed=${counts#*, }
  failed=${failed%% failed}
  PASSED=$((PASSED + passed))
  FAILED=$((FAILED + failed))
  if [ "$failed" -eq 0 ] && [ "$status" -ne 0 ]; then fail "$what: status $status"; fi
}

# --- Which Wine -------------------------------------------------------------

# True when this kernel runs 32-bit programs through the 32-bit Wine loader
# (kernels built without ia32 emulation refuse them).
wine32_runs() {
  local loader
  for loader in /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine; do
    if [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1; then return 0; fi
  done
  return 1
}

wine64_loader() {
  local loader
  for loader in /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
    if [ -n "$loader" ] && [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1; then
      echo "$loader"
      return 0
    fi
  done
  return 1
}

# Sets WINE_MODE (win32|win64), WINE, WINESERVER_BIN and the environment of
# every Wine command. In win64 mode the program under test is the 64-bit
# build of the same sources, which reads the registry as a 32-bit program.
choose_wine() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  local wanted=${TPL_WINE_MODE:-}
  if [ -z "$wanted" ]; then
    if wine32_runs; then wanted=win32; else wanted=win64; fi
  fi
  WINE_MODE=$wanted
  if [ "$WINE_MODE" = win32 ]; then
    WINE=$(command -v wine)
    WINESERVER_BIN=$(command -v wineserver)
    export WINEARCH=win32
  else
    WINE=$(wine64_loader) || return 1
    export WINELOADER=$WINE
    WINESERVER_BIN=$(dirname "$WINE")/wineserver64
    [ -x "$WINESERVER_BIN" ] || WINESERVER_BIN=$(command -v wineserver)
    export WINESERVER=$WINESERVER_BIN
    export WINEARCH=win64
  fi
}

# Runs a Wine command in prefix $1.
in_prefix() {
  local prefix=$1
  shift
  WINEPREFIX=$prefix "$WINE" "$@"
}

# Waits until Wine has stopped in prefix $1, so its registry is on disk.
stop_wine() { WINEPREFIX=$1 "$WINESERVER_BIN" -w 2>/dev/null || true; }
kill_wine() { WINEPREFIX=$1 "$WINESERVER_BIN" -k 2>/dev/null || true; }

# --- Machine images ---------------------------------------------------------

# HKLM\Software as the 32-bit program sees it.
hklm_software() {
  if [ "$WINE_MODE" = win64 ]; then
    echo 'HKEY_LOCAL_MACHINE\Software\Wow6432Node'
  else
    echo 'HKEY_LOCAL_MACHINE\Software'
  fi
}

# Imports REGEDIT4 text (stdin) into prefix $1.
import_reg() {
  local prefix=$1
  {
    printf 'REGEDIT4\r\n\r\n'
    sed 's/$/\r/'
  } >"$prefix/drive_c/tplsetup-test.reg"
  in_prefix "$prefix" regedit /S 'C:\tplsetup-test.reg' >/dev/null 2>&1
  local status=$?
  rm -f "$prefix/drive_c/tplsetup-test.reg"
  return $status
}

# A .reg string: backslashes doubled.
reg_string() { printf '"%s"' "${1//\\/\\\\}"; }

# Unix path of a C: path in prefix $1.
c_path() {
  local prefix=$1 windows=$2
  windows=${windows#[Cc]:}
  windows=${windows//\\//}
  echo "$prefix/drive_c$windows"
}

# A fresh machine image. In win64 mode the 32-bit part of Wine never ran, so
# the values a 32-bit program reads from its registry view are written the
# way WOW64 Windows holds them.
make_base_prefix() {
  local prefix=$1
  in_prefix "$prefix" wineboot -i >/dev/null 2>&1
  if [ "$WINE_MODE" = win64 ]; then
    import_reg "$prefix" <<EOF
[$(hklm_software)\\Microsoft\\Windows\\CurrentVersion]
"CommonFilesDir"=$(reg_string 'C:\Program Files (x86)\Common Files')
"ProgramFilesDir"=$(reg_string 'C:\Program Files (x86)')

[$(hklm_software)\\Microsoft\\Windows NT\\CurrentVersion]
"CurrentVersion"="6.1"
"CSDVersion"="Service Pack 1"
"CurrentBuildNumber"="7601"
EOF
  fi
  stop_wine "$prefix"
  [ -f "$prefix/system.reg" ]
}

# Installs FrontPage VERSION (2000 2002 2003) at ROOT (a C: path) in
# prefix $1: its registry value and its program file.
add_frontpage() {
  local prefix=$1 version=$2 root=$3 key value probe
  case $version in
    2000) key='Office\9.0\Common\InstallRoot' value=Path probe=frontpg.exe ;;
    2002) key='Office\10.0\Common\InstallRoot' value=Path probe=frontpg.exe ;;
    2003) key='Office\11.0\Common\InstallRoot' value=Path probe=frontpg.exe ;;
  esac
  import_reg "$prefix" <<EOF
[$(hklm_software)\\Microsoft\\$key]
"$value"=$(reg_string "$root\\")
EOF
  local file
  file=$(c_path "$prefix" "$root\\$probe")
  mkdir -p "$(dirname "$file")"
  printf 'MZ' >"$file"
}

# --- The kit ----------------------------------------------------------------

# Writes a kit in folder $1: themes, page/web/frame templates, a DWT, an
# FrontPage 2000 page template, the text files (CR LF, as on Windows).
make_kit() {
  local kit=$1
  mkdir -p "$kit"/common/Themes/harbour/images "$kit"/common/Pages/contact.tem \
    "$kit"/common/Webs/shop.tem "$kit"/common/Frames/banner.tem "$kit"/common/dwts/plain \
    "$kit"/fp2000/Pages/gallery.tem
  crlf() { sed 's/$/\r/'; }
  printf 'title=Harbour Lights\nversion=01.00\n' | crlf >"$kit/common/Themes/harbour/harbour.inf"
  printf 'body { color: navy; }\n' >"$kit/common/Themes/harbour/harbour.css"
  printf 'GIF89a-harbour' >"$kit/common/Themes/harbour/images/rule.gif"
  printf '[info]\ntitle=Contact us\n' | crlf >"$kit/common/Pages/contact.tem/contact.inf"
  printf '<html><body>Contact</body></html>\n' >"$kit/common/Pages/contact.tem/contact.htm"
  printf '<html><body>Shop</body></html>\n' >"$kit/common/Webs/shop.tem/shop.htm"
  printf '<html><body>Banner</body></html>\n' >"$kit/common/Frames/banner.tem/banner.htm"
  printf '<html><body>DWT</body></html>\n' >"$kit/common/dwts/plain/plain.dwt"
  printf '<html><body>Gallery</body></html>\n' >"$kit/fp2000/Pages/gallery.tem/gallery.htm"
  printf 'The Harbour test kit.\nOne theme and a few templates.\n' | crlf >"$kit/intro.txt"
  printf 'LICENCE\n\nUse it as you like.\n' | crlf >"$kit/license.txt"
  printf 'Read me.\n' | crlf >"$kit/readme.txt"
}

# Windows path of Unix path $1 (through drive Z:, which maps /).
z_path() {
  local path
  path=$(cd "$1" && pwd)
  echo "Z:${path//\//\\}"
}

# --- Logs -------------------------------------------------------------------

# The installation log of prefix $1 (in the user's temp folder).
log_of() {
  find "$1/drive_c/users" -maxdepth 3 -name tplsetup.log 2>/dev/null | head -n 1
}

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
