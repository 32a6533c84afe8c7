#!/usr/bin/env python3
"""A loopback web site for the download windows' tests: serves files in timed pieces, answers
chosen paths with an error status and logs every request line."""

import argparse
import os
import http.server
import socketserver
import sys
import time


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--host", default="127.0.0.1")
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--porta-arquivo", help="file that receives the chosen port")
    p.add_argument("--log", required=True)
    p.add_argument("--arquivo", action="append", default=[], metavar="PATH=FILE")
    p.add_argument("--status", action="append", default=[], metavar="PATH=CODE")
    p.add_argument("--texto", action="append", default=[], metavar="PATH=TEXT")
    p.add_argument("--pedaco", type=int, default=4096, help="bytes per piece")
    p.add_argument("--pausa-ms", type=int, default=0, help="pause before each piece")
    a = p.parse_args()

    arquivos = dict(x.split("=", 1) for x in a.arquivo)
    status = {k: int(v) for k, v in (x.split("=", 1) for x in a.status)}
    textos = dict(x.split("=", 1) for x in a.texto)
    log = open(a.log, "a", buffering=1)

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def responder(self, codigo, corpo, tipo="text/html"):
            self.send_response(codigo)
            self.send_header("Content-Type", tipo)
            self.send_header("Content-Length", str(len(corpo)))
            self.end_headers()
            for i in range(0, len(corpo), a.pedaco):
                if a.pausa_ms:
                    time.sleep(a.pausa_ms / 1000)
                self.wfile.write(corpo[i:i + a.pedaco])
                self.wfile.flush()

        def do_GET(self):
            log.write(self.requestline + "\n")
            caminho = self.path
            if caminho in status:
                codigo = status[caminho]
                self.responder(codigo, b"<html><body>%d</body></html>" % codigo)
            elif caminho in arquivos:
                with open(arquivos[caminho], "rb") as f:
                    self.responder(200, f.read(), "application/octet-stream")
            elif caminho in textos:
                self.responder(200, textos[caminho].encode("latin-1"))
            else:
                self.responder(404, b"<html><body>404</body></html>")

    class Servidor(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True
        allow_reuse_address = True

    servidor = Servidor((a.host, a.port), Handler)
    if a.porta_arquivo:
        with open(a.porta_arquivo + ".tmp", "w") as f:
            f.write(str(servidor.server_address[1]))
        os.replace(a.porta_arquivo + ".tmp", a.porta_arquivo)
    servidor.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
