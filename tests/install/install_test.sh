#!/usr/bin/env bash
# Checks the program folder cmake --install makes, and scripts/install and
# --uninstall for a user whose home is a temporary folder.
#   install_test.sh SOURCE_DIR BUILD_DIR PROGRAM...
set -uo pipefail
source_dir=$1
build_dir=$2
shift 2
programs=()
for program in "$@"; do
  [[ -n $program ]] && programs+=("$program")
done

work=$(mktemp -d)
cd "$work" || exit 1
failures=0

check() { # check DESCRIPTION COMMAND...: records a failure when COMMAND fails
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what" >&2
    failures=$((failures + 1))
  fi
}

same_lines() { # same_lines EXPECTED ACTUAL
  if [[ $1 != "$2" ]]; then
    printf 'expected:\n%s\nactual:\n%s\n' "$1" "$2" >&2
    return 1
  fi
}

listing() { ls -A -- "$1" 2>/dev/null | LC_ALL=C sort; }

# Runs scripts/install from the build under test for a user with the home
# $home and, when $xdg is set, that XDG_DATA_HOME; its output goes to
# $work/out and $work/err.
run_install() {
  env -u XDG_DATA_HOME HOME="$home" ${xdg:+XDG_DATA_HOME="$xdg"} QVX_INSTALL_FROM="$build_dir" \
    "$source_dir/scripts/install" "$@" >"$work/out" 2>"$work/err"
}

entry_value() { sed -n "s/^$1=//p" "$2"; }

program_files=$(printf '%s\n' "${programs[@]}" readme.txt quillvox.svg | LC_ALL=C sort)
check "desktop-file-validate is installed (scripts/setup does it)" command -v desktop-file-validate

# --- cmake --install: one flat, complete program folder -------------------
prefix=$work/prefix
check "cmake --install succeeds" cmake --install "$build_dir" --prefix "$prefix" >/dev/null
check "the prefix holds exactly the program files" same_lines "$program_files" "$(listing "$prefix")"
for program in "${programs[@]}"; do
  check "$program is executable" test -x "$prefix/$program"
done
check "readme.txt is the shipped one" cmp -s "$source_dir/readme.txt" "$prefix/readme.txt"
check "the icon is the shipped one" cmp -s "$source_dir/data/quillvox.svg" "$prefix/quillvox.svg"

# --- --version and --help answer without a display ------------------------
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
version=$(sed -n 's/^project(quillvox VERSION \([^ ]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
check "the project names its version" test -n "$version"
for program in "${programs[@]}"; do
  check "$program --version prints the project's version" \
    same_lines "$program $version" "$(headless "$prefix/$program" --version)"
done
check "quillvox --help prints its usage without a display" \
  same_lines "Usage: quillvox [--help] [--version]" "$(headless "$prefix/quillvox" --help | head -n 1)"
check "quillvox --help ends with status 0" headless "$prefix/quillvox" --help >/dev/null

# --- scripts/install into ~/.local/share ------------------------------------
home=$work/home
xdg=
folder=$home/.local/share/quillvox
entry=$home/.local/share/applications/quillvox.desktop
check "install into HOME succeeds" run_install
check "the program folder holds the program files and the install record" \
  same_lines "$(printf '%s\n' .installed-files "$program_files")" "$(listing "$folder")"
check "the installed quillvox is the built one" cmp -s "$build_dir/bin/quillvox" "$folder/quillvox"
check "the desktop entry is valid" desktop-file-validate "$entry"
check "Exec starts the installed program" same_lines "\"$folder/quillvox\"" "$(entry_value Exec "$entry")"
check "Icon is the installed icon" same_lines "$folder/quillvox.svg" "$(entry_value Icon "$entry")"
check "the program does not want a terminal" same_lines false "$(entry_value Terminal "$entry")"
check "it is listed as an accessibility utility" grep -q '^Categories=Utility;.*Accessibility;' "$entry"
check "the output names the folder" grep -qF "$folder" "$work/out"

# A relative XDG_DATA_HOME is ignored, as the XDG rules say.
xdg=relative/data
check "install with a relative XDG_DATA_HOME succeeds" run_install
check "a relative XDG_DATA_HOME falls back to HOME" test -x "$folder/quillvox"
check "nothing lands in the relative folder" test ! -e relative
check "uninstall from HOME succeeds" run_install --uninstall
check "the emptied folder is removed" test ! -e "$folder"
check "the desktop entry is removed" test ! -e "$entry"

# --- XDG_DATA_HOME with characters a desktop entry must escape -------------
xdg="$work/data home 100%"
folder=$xdg/quillvox
entry=$xdg/applications/quillvox.desktop
check "install into XDG_DATA_HOME succeeds" run_install
check "the program lands in XDG_DATA_HOME" test -x "$folder/quillvox"
check "the desktop entry with an escaped path is valid" desktop-file-validate "$entry"
check "Exec quotes the path and doubles the percent sign" \
  same_lines "\"$xdg/quillvox/quillvox\"" "$(entry_value Exec "$entry" | sed 's/%%/%/g')"
check "Exec has no single percent sign left" grep -q '^Exec=.*100%%/quillvox/quillvox"$' "$entry"
check "nothing lands under HOME when XDG_DATA_HOME is set" test ! -e "$home/.local/share/quillvox"

# The user's files in the program folder outlive a reinstall and uninstalls.
printf 'hello [:np]\n' >"$folder/demo.txt"
printf '[QVOptions]\nKeepDataOnExit=1\n' >"$folder/settings.ini"
printf 'line 1: error\n' >"$folder/errors.log"
printf 'RIFF' >"$folder/bell.wav"
cp -p "$folder/demo.txt" "$folder/settings.ini" "$folder/errors.log" "$folder/bell.wav" "$work/"
user_files_kept() {
  local name
  for name in demo.txt settings.ini errors.log bell.wav; do
    cmp -s "$work/$name" "$folder/$name" || return 1
  done
}
before=$(listing "$folder")
cp "$entry" "$work/entry.before"
check "a second install succeeds" run_install
check "a second install leaves the same files" same_lines "$before" "$(listing "$folder")"
check "a second install writes the same entry" cmp -s "$work/entry.before" "$entry"
check "a reinstall keeps the user's files" user_files_kept

# A file an earlier version installed and this build no longer ships goes.
printf 'oldtool\n' >>"$folder/.installed-files"
: >"$folder/oldtool"
check "an update install succeeds" run_install
check "an update removes a file that is no longer shipped" test ! -e "$folder/oldtool"

check "uninstall succeeds" run_install --uninstall
for name in .installed-files $program_files; do
  check "uninstall removes $name" test ! -e "$folder/$name"
done
check "uninstall removes the desktop entry" test ! -e "$entry"
check "uninstall keeps the user's files" user_files_kept
check "uninstall leaves only the user's files" \
  same_lines "$(printf '%s\n' bell.wav demo.txt errors.log settings.ini)" "$(listing "$folder")"
check "uninstall says which files it kept" grep -q 'demo.txt' "$work/out"
check "a second uninstall succeeds" run_install --uninstall
check "a second uninstall says there is nothing to remove" grep -q 'nothing to remove' "$work/out"
check "a second uninstall keeps the user's files" user_files_kept

# An install record never makes uninstall remove the user's script or a
# file outside the program folder.
printf 'demo.txt\n../outside\n' >"$folder/.installed-files"
printf 'mine\n' >"$xdg/outside"
check "uninstall with an odd record succeeds" run_install --uninstall
check "an odd record does not remove demo.txt" user_files_kept
check "an odd record does not reach outside the folder" test -e "$xdg/outside"

# A build that ships a sample script never replaces the user's own, and
# installs it where there is none.
fake=$work/fake-build
mkdir -p "$fake"
cp "$(command -v sleep)" "$fake/quillvox"
printf 'sample\n' >"$fake/demo.txt"
printf '<svg xmlns="http://www.w3.org/2000/svg"/>\n' >"$fake/quillvox.svg"
ship() {
  local name
  : >"$fake/cmake_install.cmake"
  for name in "$@"; do
    printf 'file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE PROGRAM FILES "%s")\n' \
      "$fake/$name" >>"$fake/cmake_install.cmake"
  done
}
ship quillvox quillvox.svg demo.txt
build_dir_saved=$build_dir
build_dir=$fake
check "an install from a build with a sample script succeeds" run_install
check "the sample does not replace the user's script" user_files_kept
rm "$folder/demo.txt"
check "an install where no script is succeeds" run_install
check "the sample script is installed where there is none" cmp -s "$fake/demo.txt" "$folder/demo.txt"
# Updating while the program runs: its executable is replaced, not written.
"$folder/quillvox" 30 &
running=$!
check "an install while the program runs succeeds" run_install
kill "$running"
wait "$running" 2>/dev/null
check "uninstall after a sample script succeeds" run_install --uninstall
check "uninstall keeps the script once installed" cmp -s "$fake/demo.txt" "$folder/demo.txt"

# --- failures are reported and change nothing ------------------------------
ship quillvox
xdg=$work/failing
run_install
check "a build without the icon is a failure" test $? -ne 0
check "the missing icon is reported" grep -qF quillvox.svg "$work/err"
check "a refused build installs nothing" test ! -e "$xdg"

build_dir=$work/no-build
run_install
check "a missing build folder is a failure" test $? -ne 0
check "a missing build folder is reported" grep -qF "$work/no-build" "$work/err"
check "a failed install creates no program folder" test ! -e "$xdg/quillvox"
build_dir=$build_dir_saved
run_install --bogus
check "an unknown option is a usage error" test $? -eq 2

if ((failures > 0)); then
  echo "$failures check(s) failed; the folders are kept in $work" >&2
  exit 1
fi
rm -rf -- "$work"
echo "all install checks passed"
