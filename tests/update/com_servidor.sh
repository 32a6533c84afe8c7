#!/usr/bin/env bash
# Runs a Windows test program against a loopback web site that serves the updater stand-in.
# usage: com_servidor.sh HOST STUB_EXE PROGRAM [ARGS...]
# The program finds the site in ORVANTA_TESTE_SITE (host:port) and the stand-in's path in
# ORVANTA_TESTE_STUB; the server's request log is ORVANTA_TESTE_LOG.
set -euo pipefail
host=$1 stub=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

python3 "$here/servidor_download.py" --host "$host" --porta-arquivo "$work/porta" \
  --log "$work/pedidos.log" --pedaco 1024 --pausa-ms 40 \
  --arquivo "/remoto/update/x64/atualiza.exe=$stub" \
  --arquivo "/remoto/update/x32/atualiza.exe=$stub" \
  --arquivo "/ferramentas/pdf.exe=$stub" \
  --status "/faltando/remoto/update/x64/atualiza.exe=404" \
  --status "/faltando/remoto/update/x32/atualiza.exe=404" &
server=$!
for _ in $(seq 100); do [ -s "$work/porta" ] && break; sleep 0.1; done
export ORVANTA_TESTE_SITE="$host:$(cat "$work/porta")"
export ORVANTA_TESTE_STUB=$stub
export ORVANTA_TESTE_LOG=$work/pedidos.log
"$@"
