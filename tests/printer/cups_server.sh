#!/bin/sh
# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A private CUPS server on a free loopback port for the CUPS port's tests:
# "start DIR" keeps its configuration, spool, cache and logs in DIR and writes
# its address to DIR/server, or why it cannot run to DIR/unavailable; "stop DIR".
set -eu
dir=$2
PATH=$PATH:/usr/sbin
if [ "$1" = stop ]; then
  pid=$(cat "$dir/pid" 2>/dev/null) && kill "$pid" 2>/dev/null || exit 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || exit 0; sleep 0.1; done
  exit 1
fi
rm -rf "$dir"
mkdir -p "$dir/spool" "$dir/cache" "$dir/state" "$dir/temp" "$dir/log" "$dir/root"
command -v cupsd >/dev/null && command -v lpadmin >/dev/null ||
  { echo "cupsd or lpadmin is missing (Debian package cups)" >"$dir/unavailable"; exit 0; }
# As root, cupsd runs jobs as lp, who must reach these folders.
if [ "$(id -u)" = 0 ]; then
  runuser -u lp -- test -x "$dir/temp" ||
    { echo "user lp cannot reach $dir" >"$dir/unavailable"; exit 0; }
  printf 'User lp\nGroup lp\n' >"$dir/cups-files.conf"
fi
for key in ServerRoot:root RequestRoot:spool CacheDir:cache StateDir:state TempDir:temp \
  ServerKeychain:state AccessLog:log/access_log ErrorLog:log/error_log PageLog:log/page_log \
  Printcap:printcap; do echo "${key%%:*} $dir/${key#*:}"; done >>"$dir/cups-files.conf"
printf 'SystemGroup %s\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n' "$(id -gn)" \
  >>"$dir/cups-files.conf"
# A random port that nobody has yet: another program may still take it first.
for _ in $(seq 10); do
  port=$((20000 + $(od -An -N2 -tu2 /dev/urandom) % 30000))
  printf 'LogLevel info\nListen 127.0.0.1:%s\nBrowsing No\nWebInterface No\nDefaultAuthType None
<Location />\nOrder allow,deny\nAllow 127.0.0.1\n</Location>
<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n' "$port" >"$dir/cupsd.conf"
  cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >"$dir/log/out" 2>&1 &
  echo $! >"$dir/pid"
  for _ in $(seq 50); do
    if grep -q "Listening to 127.0.0.1:$port" "$dir/log/error_log" 2>/dev/null; then
      echo "127.0.0.1:$port" >"$dir/server"
      exit 0
    fi
    kill -0 $! 2>/dev/null || break
    sleep 0.1
  done
  kill $! 2>/dev/null || true
done
cat "$dir/log/error_log" "$dir/log/out" >&2 || true
exit 1
