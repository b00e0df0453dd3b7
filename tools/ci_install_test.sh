#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Release Debian package into a fresh minimal Debian 12 root and
# uses it there as an ordinary member of lp would: under Xvfb, sets the
# time-out with the keyboard and sends it to a FIFO standing in for the
# printer port, then checks the bytes that reached it and the stored
# settings, and finally that a purge deletes the settings folder.
# Needs root (debootstrap, chroot, mounts):  sudo tools/ci_install_test.sh
# The package comes from the release preset of CMakePresets.json
# (build-release/); the root is made afresh in its folder "root".
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $(id -u) -ne 0 ]]; then
  echo "error: $0 needs root (debootstrap, chroot and mounts): sudo $0" >&2
  exit 1
fi
started=$SECONDS
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
phase_start=$SECONDS
timings=()
phase_done() {
  timings+=("$1 $((SECONDS - phase_start)) s")
  phase_start=$SECONDS
}

build_dir="$PWD/build-release"
mkdir -p "$build_dir"
root="$build_dir/root"
log="$build_dir/ci_install.log"
: >"$log"
export DEBIAN_FRONTEND=noninteractive
# Runs a command with its output in the log; shows the log's end when it fails.
logged() {
  if ! "$@" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    fail "expected '$*' to succeed, it failed (whole output: $log)"
  fi
}

tools/install_deps.sh
if ! command -v debootstrap >/dev/null; then
  logged apt-get update
  logged apt-get install -y --no-install-recommends debootstrap
fi

# --- The package --------------------------------------------------------------
rm -f "$build_dir"/zelora_*.deb
logged cmake --preset release
logged cmake --build --preset package
debs=("$build_dir"/zelora_*.deb)
[[ -f "${debs[0]}" ]] || fail "expected $build_dir/zelora_*.deb after the package build, saw none"
deb=${debs[0]}
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt"; }
port=$(cache_value ZELORA_PORT_DEVICE)
hive="$(cache_value ZELORA_HIVE_DIR)/HKEY_LOCAL_MACHINE.reg"
phase_done "package build"

# --- The archive, from this machine's apt sources -----------------------------
# Prints "URI suite" for every enabled deb source, deb822 files and the
# one-line list alike.
host_sources() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$f" ]] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
      {
        delete v
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^#/ || !match($i, /^[A-Za-z-]+:/)) continue
          v[tolower(substr($i, 1, RLENGTH - 1))] = substr($i, RLENGTH + 1)
        }
        if (tolower(v["enabled"]) ~ /no/ || v["types"] !~ /(^|[ \t])deb([ \t]|$)/) next
        n = split(v["uris"], uris, /[ \t]+/); m = split(v["suites"], suites, /[ \t]+/)
        for (i = 1; i <= n; i++) for (j = 1; j <= m; j++)
          if (uris[i] != "" && suites[j] != "") print uris[i], suites[j]
      }' "$f"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f "$f" ]] || continue
    sed -E -n 's/^[[:space:]]*deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+)[[:space:]]+([^[:space:]]+).*/\2 \3/p' "$f"
  done
}
sources=$(host_sources)
mirror=$(awk '$2 == "bookworm" { print $1; exit }' <<<"$sources")
[[ -n "$mirror" ]] || fail "expected a bookworm archive in this machine's apt sources, saw:
${sources:-nothing}"

# --- A fresh root -------------------------------------------------------------
mounts=()
cleanup() {
  local p i
  # Anything still running in the root holds its mounts.
  for p in /proc/[0-9]*; do
    [[ "$(readlink "$p/root" 2>/dev/null)" == "$root" ]] && kill -KILL "${p#/proc/}" 2>/dev/null
  done
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true
  done
  mounts=()
}
trap cleanup EXIT
trap 'exit 130' INT TERM
if grep -q " $root/" /proc/mounts; then
  fail "expected nothing mounted below $root, saw: $(grep " $root/" /proc/mounts)"
fi
rm -rf --one-file-system "$root"
logged debootstrap --variant=minbase bookworm "$root" "$mirror"
phase_done "debootstrap"

# A /dev of its own, so the FIFO standing in for the port never touches the
# machine's.
mount -t proc proc "$root/proc"
mounts+=("$root/proc")
mount -t tmpfs -o mode=0755,nosuid tmpfs "$root/dev"
mounts+=("$root/dev")
mknod -m 666 "$root/dev/null" c 1 3
mknod -m 666 "$root/dev/zero" c 1 5
mknod -m 666 "$root/dev/full" c 1 7
mknod -m 666 "$root/dev/random" c 1 8
mknod -m 666 "$root/dev/urandom" c 1 9
mknod -m 666 "$root/dev/tty" c 5 0
ln -s /proc/self/fd "$root/dev/fd"
mkdir -m 1777 "$root/dev/shm"
mkdir "$root/dev/pts"
mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
mounts+=("$root/dev/pts")
ln -s pts/ptmx "$root/dev/ptmx"

# Release, updates and security, as an installed Debian 12 has them.
awk '$2 ~ /^bookworm(-updates|-security)?$/ && !seen[$2]++ { print "deb", $1, $2, "main" }' \
  <<<"$sources" >"$root/etc/apt/sources.list"
cp "$deb" "$root/tmp/"
logged chroot "$root" apt-get update
# Without recommends: the package's Depends alone must make it work.
logged chroot "$root" apt-get install -y --no-install-recommends \
  "./tmp/$(basename "$deb")" xvfb xauth xdotool
phase_done "install"

# --- Using it -----------------------------------------------------------------
user=lpuser
chroot "$root" useradd -m -G lp "$user"
install -d "$root$(dirname "$port")"
mkfifo "$root$port"
chroot "$root" chown root:lp "$port"
chmod 0660 "$root$port"
# The program takes no regular file for a port: a reader copies what reaches
# the FIFO into a file. This script holds a writer of its own (fd 3, kept from
# the others), so the reader sees the end only once it is closed after the
# session, not after each job.
received="$root/tmp/port.bin"
exec 3<>"$root$port"
cat "$root$port" >"$received" 3>&- &
reader=$!

# Send and Exit at the middle of their buttons, from the window layout.
layout_h=src/window/logic/window_layout.h
layout_cpp=src/window/logic/window_layout.cpp
client_w=$(sed -n 's/.*kClientWidth = \([0-9]*\);.*/\1/p' "$layout_h")
client_h=$(sed -n 's/.*kClientHeight = \([0-9]*\);.*/\1/p' "$layout_h")
button_middle() {
  awk -F', *' -v name="{\"$1\"" '$1 ~ name { print $4 + int($6 / 2), $5 + int($7 / 2); exit }' \
    "$layout_cpp"
}
read -r send_x send_y <<<"$(button_middle BtnApply)"
read -r exit_x exit_y <<<"$(button_middle BtnExit)"
[[ -n "$client_w" && -n "$client_h" && -n "$send_y" && -n "$exit_y" ]] ||
  fail "expected the window size and the BtnApply and BtnExit rows in $layout_h and $layout_cpp"

# The first Send after an install also sends the copies: the factory record
# holds 0 copies, below the field's minimum of 1 that the window shows.
new_timeout=45
expected="$build_dir/expected_port.bin"
printf '\033%%-12345X@PJL DEFAULT TIMEOUT=%s\r\n\033%%-12345X' "$new_timeout" >"$expected"
printf '\033%%-12345X@PJL DEFAULT COPIES=1\r\n\033%%-12345X' >>"$expected"
# Both stored as 8-byte little-endian doubles: 45.0 and 1.0.
expected_lines=('"R_timeout"=hex:00,00,00,00,00,80,46,40' '"R_copies"=hex:00,00,00,00,00,00,f0,3f')

cp tools/ci_install/session.sh "$root/tmp/session.sh"
chmod 755 "$root/tmp/session.sh"
entry=$(chroot "$root" dpkg -L zelora | grep -m 1 '\.desktop$' || true)
[[ -n "$entry" ]] || fail "expected a desktop entry among the package's files, saw none"
if ! timeout --kill-after=5 120 chroot "$root" runuser -u "$user" -- \
  env -i HOME="/home/$user" USER="$user" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 \
  xvfb-run -a -s "-screen 0 1024x768x24" /tmp/session.sh "$entry" "$new_timeout" \
  "/tmp/port.bin" "$(stat -c %s "$expected")" "$client_w" "$client_h" \
  "$send_x" "$send_y" "$exit_x" "$exit_y" 3>&-; then
  kill "$reader" 2>/dev/null || true
  echo "the port received:" >&2
  od -c "$received" >&2
  fail "expected the session with the installed program to succeed (see above)"
fi
exec 3>&-
wait "$reader" || fail "expected the reader of the port FIFO to end well, it did not"

faults=0
if ! cmp "$expected" "$received"; then
  echo "FAIL: expected at the port $(stat -c %s "$expected") bytes:" >&2
  od -c "$expected" >&2
  echo "saw $(stat -c %s "$received") bytes:" >&2
  od -c "$received" >&2
  faults=1
fi
for line in "${expected_lines[@]}"; do
  if ! grep -qxF "$line" "$root$hive" 2>/dev/null; then
    echo "FAIL: expected the line $line in $hive, saw:" >&2
    cat "$root$hive" >&2 || true
    faults=1
  fi
done
((faults == 0)) || exit 1
phase_done "session"

# --- Purge --------------------------------------------------------------------
logged chroot "$root" apt-get purge -y zelora
hive_dir=$(dirname "$hive")
[[ ! -e "$root$hive_dir" ]] ||
  fail "expected $hive_dir gone after the purge, saw: $(ls -la "$root$hive_dir")"
phase_done "purge"

timing=$(printf '%s, ' "${timings[@]}")
echo "Install test passed in $((SECONDS - started)) s (${timing%, }):"
echo "  $(basename "$deb") into a fresh Debian 12 root from $mirror"
echo "  $port: $(stat -c %s "$received") bytes, byte for byte the TIMEOUT=$new_timeout and COPIES=1 jobs"
echo "  $hive: R_timeout $new_timeout.0, R_copies 1.0; the purge removed $hive_dir"
