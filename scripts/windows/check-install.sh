#!/usr/bin/env bash
# Installs the setup program under Wine as a user would and checks what it
# does to the system, in a Wine prefix made fresh for the purpose:
#   1. a silent install for the user: the files (those of the zip and the
#      uninstaller), the Start menu shortcut, the .wsz type, "Open with" for
#      .zip and the Apps & features entry;
#   2. a .wsz opened through its registered open command starts the window
#      on that skin (Xvfb); the settings file goes to the user's roaming
#      folder and nothing is written into the install folder;
#   3. the installed tessaform-cli.exe converts the sample skin to the same
#      bytes as the Linux converter;
#   4. a silent uninstall leaves no file, shortcut or key of ours, and keeps
#      the settings;
#   5. an upgrade over an earlier version keeps the settings and leaves none
#      of the earlier files behind; an uninstall with /RemoveSettings then
#      removes the settings and the cache too;
#   6. an install for all users next to another program that owns .wsz:
#      Program Files and HKLM, the type left to its owner, all gone after.
#   scripts/windows/check-install.sh BUILD_DIR LINUX_CLI
# Builds the setup program (make-setup.sh) and the stand-in for an earlier
# version. A screenshot of the window is left in BUILD_DIR/installed-window.png.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(readlink -f "$1")
linux_cli=$(readlink -f "$2")
# shellcheck source=../common.sh
source "$root/scripts/common.sh"
ensure_packages xdotool openbox imagemagick

printf '\n==== the setup program, installed and removed under Wine (%d s so far)\n' "$SECONDS"
setup=$("$here/make-setup.sh" "$build" | tail -n 1)
work=$(mktemp -d "${TMPDIR:-/tmp}/tessaform-install.XXXXXX")
cleanup() {
  /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
earlier=$work/tessaform-0.9-setup-x64.exe
"$here/make-setup.sh" "$build" --earlier "$earlier" >/dev/null

export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
# No Mono, Gecko or debugger; no menu entries or file types of the Windows
# programs in this machine's desktop (winemenubuilder).
export WINEDLLOVERRIDES='mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d'
unset WINEPATH # the installed programs find their DLLs beside themselves
wine() { timeout 300 /usr/lib/wine/wine64 "$@"; }
settle() { timeout 300 /usr/lib/wine/wineserver64 -w; }
fail() { echo "check-install: $*" >&2; exit 1; }
step_start=$SECONDS
done_step() { echo "check-install: $* ($((SECONDS - step_start)) s)"; step_start=$SECONDS; }

wine wineboot -i >/dev/null 2>&1
settle
# A folder of the Windows user, as a path here.
user_folder() { wine winepath -u "$(wine cmd /c "echo %$1%" | tr -d '\r')" | tr -d '\r'; }
local_appdata=$(user_folder LOCALAPPDATA)
appdata=$(user_folder APPDATA)
program_files=$(user_folder ProgramW6432)
program_data=$(user_folder ProgramData)
install=$local_appdata/Programs/Tessaform
shortcut="$appdata/Microsoft/Windows/Start Menu/Programs/Tessaform Convertor.lnk"
all_users_shortcut="$program_data/Microsoft/Windows/Start Menu/Programs/Tessaform Convertor.lnk"
settings=$appdata/tessaform/tessaform.ini
done_step "fresh Wine prefix"

# Registry keys as text: regedit's export (UTF-16) in UTF-8, empty when the
# key is absent.
export_key() {
  local out=$work/export.reg
  rm -f "$out"
  wine regedit /E 'Z:'"${out//\//\\}" "$1" >/dev/null 2>&1 || true
  if [ -f "$out" ]; then iconv -f UTF-16 -t UTF-8 "$out" | tr -d '\r'; fi
}
classes() { export_key "$1\\Software\\Classes"; }
uninstall_entry() { export_key "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaform"; }
value_of() { # KEY_TEXT VALUE_LINE_START -> the value after it
  # Through the environment: awk -v would read "\t" in a key as a tab.
  KEY="[$2]" NAME="$3" awk '
    $0 == ENVIRON["KEY"] { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && index($0, ENVIRON["NAME"] "=") == 1 { print substr($0, length(ENVIRON["NAME"]) + 2); exit }' <<< "$1"
}
# A string value of an export as the program reading it sees it.
reg_string() { local text=${1#\"}; text=${text%\"}; text=${text//\\\"/\"}; printf '%s' "${text//\\\\/\\}"; }
# Runs a registered command line ("PROGRAM" ARGUMENTS) as Windows would:
# the program by its Windows path, so that it knows where it lies.
run_command() { # COMMAND [more arguments]
  local line=$1 program arguments
  shift
  program=${line#\"}; program=${program%%\"*}
  arguments=${line#\"}; arguments=${arguments#"$program"}; arguments=${arguments#\"}
  # shellcheck disable=SC2086 # the registered arguments are plain words
  wine "$program" $arguments "$@"
}
# What the zip holds, the uninstaller beside it: what an install must hold.
expected=$work/expected.txt
zip=$(ls "$build"/tessaform-*-windows-x64.zip)
{ cmake -E tar tf "$zip" | grep -v '/$' | sed 's|^[^/]*/||'; echo uninstall.exe; } | LC_ALL=C sort > "$expected"
installed_files() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
expect_files() {
  if ! diff <(installed_files "$1") "$expected" >&2; then
    fail "$2: the install folder holds other files than the zip (< installed, > expected)"
  fi
}
expect_nothing_of_ours() { # what the uninstaller must have removed
  [ ! -e "$1" ] || fail "$2: $1 is still there: $(find "$1" | head)"
  [ ! -e "$shortcut" ] && [ ! -e "$all_users_shortcut" ] || fail "$2: a Start menu shortcut is still there"
  local keys
  keys=$(classes HKEY_CURRENT_USER; classes HKEY_LOCAL_MACHINE; uninstall_entry HKEY_CURRENT_USER; uninstall_entry HKEY_LOCAL_MACHINE)
  if grep -i 'tessaform' <<< "$keys" >&2; then
    fail "$2: registry keys or values of ours are still there"
  fi
}

# ---- 1. a silent install for the user --------------------------------------
wine "$setup" /S
settle
[ -f "$install/tessaform.exe" ] || fail "nothing installed in $install"
expect_files "$install" "fresh install"
[ -f "$shortcut" ] || fail "no Start menu shortcut $shortcut"
# The shortcut names its target as Windows text (UTF-16).
iconv -f UTF-16LE -t UTF-8 -c "$shortcut" | grep -q 'Tessaform\\tessaform.exe' || strings "$shortcut" | grep -q 'tessaform.exe' \
  || fail "the shortcut does not start tessaform.exe"
keys=$(classes HKEY_CURRENT_USER)
case ${LC_ALL:-${LC_MESSAGES:-${LANG:-}}} in
  ja*) verb='"Tessaform で開く"' ;;
  *) verb='"Open with Tessaform"' ;;
esac
command=$(value_of "$keys" 'HKEY_CURRENT_USER\Software\Classes\Tessaform.WinampSkin\shell\open\command' '@')
checks=(
  "Software\\Classes\\Tessaform.WinampSkin|@|\"Winamp skin\""
  "Software\\Classes\\Tessaform.WinampSkin\\shell\\open|@|$verb"
  "Software\\Classes\\.wsz|@|\"Tessaform.WinampSkin\""
  "Software\\Classes\\.wsz\\OpenWithProgids|\"Tessaform.WinampSkin\"|\"\""
  "Software\\Classes\\Applications\\tessaform.exe\\SupportedTypes|\".zip\"|\"\""
)
for check in "${checks[@]}"; do
  IFS='|' read -r key name value <<< "$check"
  actual=$(value_of "$keys" "HKEY_CURRENT_USER\\$key" "$name")
  [ "$actual" = "$value" ] || fail "HKCU\\$key: $name is ${actual:-missing}, not $value"
done
grep -qxF '[HKEY_CURRENT_USER\Software\Classes\.zip\OpenWithList\tessaform.exe]' <<< "$keys" \
  || fail "no Open with entry for .zip"
[ -z "$(value_of "$keys" 'HKEY_CURRENT_USER\Software\Classes\.zip' '@')" ] || fail ".zip was given a default program"
entry=$(uninstall_entry HKEY_CURRENT_USER)
for name in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
  [ -n "$(value_of "$entry" 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaform' "\"$name\"")" ] \
    || fail "the Apps & features entry has no $name"
done
done_step "installed for the user: files, shortcut, file types, Apps & features entry"

# ---- 2. a .wsz opened with the registered command ----------------------------
[ -n "$command" ] || fail "no open command for .wsz"
skins=$work/skins
mkdir -p "$skins"
(cd "$root/data" && cmake -E tar cf "$skins/sample skin.wsz" --format=zip sample)
skin_windows='Z:'"${skins//\//\\}"'\sample skin.wsz'
# The command as the shell runs it: %1 is the file.
command=$(reg_string "$command")
[[ $command == '"'*'\tessaform.exe" "%1"' ]] || fail "the open command does not pass the file: $command"
exe=${command#\"}; exe=${exe%%\"*}
touch "$work/before-window"
export CHECK_EXE=$exe CHECK_SKIN=$skin_windows CHECK_SHOT=$build/installed-window.png
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  openbox >/dev/null 2>&1 &
  timeout 300 /usr/lib/wine/wine64 "$CHECK_EXE" "$CHECK_SKIN" >/dev/null 2>&1 &
  window=
  for _ in $(seq 90); do
    window=$(xdotool search --name "sample skin\.wsz" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 1
  done
  if [ -z "$window" ]; then
    import -window root "$CHECK_SHOT"
    echo "check-install: no window with the skin in its caption; the screen is in $CHECK_SHOT" >&2
    exit 1
  fi
  sleep 3 # the preview draws
  import -window root "$CHECK_SHOT"
  # Closed as a user closes it: the window manager asks it to.
  xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
  timeout 60 /usr/lib/wine/wineserver64 -w
'
[ -f "$settings" ] || fail "the window wrote no settings file $settings"
grep -q 'sample skin.wsz' "$settings" || fail "the settings file does not name the skin opened: $(cat "$settings")"
[ -z "$(find "$install" -newer "$work/before-window")" ] || fail "the installed window wrote into its folder: $(find "$install" -newer "$work/before-window")"
expect_files "$install" "after the window ran"
done_step "the open command starts the window on the skin; settings in $settings"

# ---- 3. the installed converter -------------------------------------------
mkdir -p "$work/linux" "$work/windows"
"$linux_cli" convert "$root/data/sample" -o "$work/linux/sample" >/dev/null
# The faces the Linux program draws with (see compare-output.sh); Wine
# passes WINEQT_* on to the program as QT_*.
(cd "$work/windows" && WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\opentype\ipafont-gothic' \
  wine "$install/tessaform-cli.exe" convert 'Z:'"${root//\//\\}"'\data\sample' -o sample >/dev/null)
diff -r "$work/linux" "$work/windows" >&2 || fail "the installed tessaform-cli.exe wrote other files than the Linux converter"
[ -z "$(find "$install" -newer "$work/before-window")" ] || fail "the installed converter wrote into its folder"
done_step "the installed converter writes the same bytes as the Linux one"

# ---- 4. a silent uninstall -------------------------------------------------------
quiet_uninstall() { # HKEY_... -> the registered command
  reg_string "$(value_of "$(uninstall_entry "$1")" "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaform" '"QuietUninstallString"')"
}
quiet=$(quiet_uninstall HKEY_CURRENT_USER)
[[ $quiet == *'\uninstall.exe" /S' ]] || fail "unexpected QuietUninstallString $quiet"
run_command "$quiet"
settle
expect_nothing_of_ours "$install" "after the uninstall"
[ -f "$settings" ] || fail "the uninstall removed the settings it should keep"
done_step "uninstalled: nothing of ours left, the settings kept"

# ---- 5. an upgrade over an earlier version -------------------------------------
wine "$earlier" /S
settle
[ -f "$install/earlier-only.dll" ] || fail "the earlier version did not install"
settings_before=$(md5sum < "$settings")
wine "$setup" /S
settle
expect_files "$install" "after the upgrade"
[ "$(md5sum < "$settings")" = "$settings_before" ] || fail "the upgrade changed the settings"
version=$(value_of "$(uninstall_entry HKEY_CURRENT_USER)" 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaform' '"DisplayVersion"')
[ "$version" != '"0.9.0"' ] || fail "Apps & features still names the earlier version"
mkdir -p "$local_appdata/tessaform/cache/tmp" # a working folder of the window
run_command "$(quiet_uninstall HKEY_CURRENT_USER)" /RemoveSettings
settle
expect_nothing_of_ours "$install" "after the uninstall with /RemoveSettings"
[ ! -e "$appdata/tessaform" ] && [ ! -e "$local_appdata/tessaform" ] \
  || fail "/RemoveSettings left the settings or the cache"
done_step "upgrade: the earlier files gone, the settings kept; /RemoveSettings removes them"

# ---- 6. for all users, beside another program that owns .wsz -------------------
wine reg add 'HKCU\Software\Classes\.wsz' /ve /d OtherPlayer.Skin /f >/dev/null
wine reg add 'HKCU\Software\Classes\OtherPlayer.Skin\shell\open\command' /ve /d 'other.exe "%1"' /f >/dev/null
wine "$setup" /S /AllUsers
settle
expect_files "$program_files/Tessaform" "install for all users"
[ -f "$all_users_shortcut" ] || fail "no Start menu shortcut for all users"
[ ! -e "$install" ] || fail "the install for all users went into the user's folder"
keys=$(classes HKEY_LOCAL_MACHINE)
[ -n "$(value_of "$keys" 'HKEY_LOCAL_MACHINE\Software\Classes\Tessaform.WinampSkin\shell\open\command' '@')" ] \
  || fail "no open command in HKLM"
[ -z "$(value_of "$keys" 'HKEY_LOCAL_MACHINE\Software\Classes\.wsz' '@')" ] || fail "took .wsz from the program that has it"
[ "$(value_of "$(classes HKEY_CURRENT_USER)" 'HKEY_CURRENT_USER\Software\Classes\.wsz' '@')" = '"OtherPlayer.Skin"' ] \
  || fail "the other program lost .wsz"
[ -n "$(uninstall_entry HKEY_LOCAL_MACHINE)" ] || fail "no Apps & features entry in HKLM"
run_command "$(quiet_uninstall HKEY_LOCAL_MACHINE)"
settle
expect_nothing_of_ours "$program_files/Tessaform" "after the uninstall for all users"
[ "$(value_of "$(classes HKEY_CURRENT_USER)" 'HKEY_CURRENT_USER\Software\Classes\.wsz' '@')" = '"OtherPlayer.Skin"' ] \
  || fail "the uninstall took .wsz from the other program"
done_step "installed for all users beside another owner of .wsz, and removed"

echo "check-install: $(basename "$setup") installs, opens, converts, upgrades and uninstalls as it should"
