#!/usr/bin/env bash
# Builds Sorvan, sets up its program folder and writes the start-up file.
# The program folder ($SORVAN_PROGRAM_DIR, else ~/.local/share/sorvan/program)
# receives data/ without overwriting files the user has changed; the start-up
# file "System/sorvan 2006.ini" below the Windows directory
# ($SORVAN_WINDOWS_DIR, else ~/.local/share/sorvan/windows) names it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSORVAN_TESTS=OFF -DSORVAN_BENCH=OFF
cmake --build build-release -j"$(nproc)"

share="${XDG_DATA_HOME:-$HOME/.local/share}/sorvan"
program_dir="${SORVAN_PROGRAM_DIR:-$share/program}"
windows_dir="${SORVAN_WINDOWS_DIR:-$share/windows}"
mkdir -p "$program_dir" "$windows_dir/System"
# Copy what is new; keep what the user already has (it may be edited).
cp -r -n data/. "$program_dir/"
# The start-up file: a first line, then the folder from character 11 on.
printf 'Sorvan\r\nProgram = %s\r\n' "$program_dir" > "$windows_dir/System/sorvan 2006.ini"
echo "Program folder: $program_dir"
echo "Start-up file:  $windows_dir/System/sorvan 2006.ini"
