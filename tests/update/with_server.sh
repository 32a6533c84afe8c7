#!/usr/bin/env bash
# Runs a Windows test program against a loopback web site that serves the updater stand-in.
# usage: with_server.sh HOST STUB_EXE PROGRAM [ARGS...]
# The program finds the site in ORVANTA_TEST_SITE (host:port) and the stand-in's path in
# ORVANTA_TEST_STUB; the server's request log is ORVANTA_TEST_LOG.
set -euo pipefail
host=$1 stub=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

python3 "$here/download_server.py" --host "$host" --port-file "$work/port" \
  --log "$work/requests.log" --piece 1024 --pause-ms 40 \
  --file "/remoto/update/x64/atualiza.exe=$stub" \
  --file "/remoto/update/x32/atualiza.exe=$stub" \
  --file "/ferramentas/pdf.exe=$stub" \
  --status "/missing/remoto/update/x64/atualiza.exe=404" \
  --status "/missing/remoto/update/x32/atualiza.exe=404" \
  --file "/cut/remoto/update/x64/atualiza.exe=$stub" \
  --file "/cut/remoto/update/x32/atualiza.exe=$stub" \
  --truncate "/cut/remoto/update/x64/atualiza.exe=3000" \
  --truncate "/cut/remoto/update/x32/atualiza.exe=3000" &
server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
export ORVANTA_TEST_SITE="$host:$(cat "$work/port")"
export ORVANTA_TEST_STUB=$stub
export ORVANTA_TEST_LOG=$work/requests.log
"$@"
