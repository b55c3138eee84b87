#!/usr/bin/env python3
"""A sniplet server for the end-to-end tests and the benchmark.

Serves the files below --root over HTTP/1.1 with keep-alive, on 127.0.0.1 only.
Beside a served file, marker files change how its path is answered:

  <path>.status    holds a status code: answer with it and a small error page
  <path>.cut       announce the whole length, send half the body, close
  <path>.hang      accept the request and never answer
  <path>.redirect  holds a path: answer 302 with it as Location

A path with no file and no marker gets 404. Every request line's path, as it
came, is appended to <root>/requests.log (unless --no-log).
"""

import argparse
import os
import select
import signal
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

stopping = threading.Event()


class SnipletHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "SnipletServer/1.0"
    disable_nagle_algorithm = True

    def log_message(self, format, *args):
        pass

    def record(self):
        if self.server.request_log is None:
            return
        with self.server.log_lock:
            with open(self.server.request_log, "a", encoding="utf-8") as log:
                log.write(self.path + "\n")

    def local_path(self):
        """The file for the request's path, or None when it leaves the root."""
        path = urllib.parse.urlsplit(self.path).path
        parts = [urllib.parse.unquote(p, errors="surrogateescape") for p in path.split("/")]
        if any(p in ("", ".", "..") or "\\" in p or "\0" in p for p in parts[1:]):
            return None
        return os.path.join(self.server.root, *parts[1:])

    def send_bytes(self, status, body, content_type="application/octet-stream", close=False):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        if close:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        self.wfile.write(body)

    def error_page(self, status):
        page = f"<html><body><h1>Error {status}</h1></body></html>".encode()
        self.send_bytes(status, page, "text/html")

    def hang(self):
        # Hold the connection without a word until the client gives up or we stop.
        self.close_connection = True
        while not stopping.is_set():
            readable, _, _ = select.select([self.connection], [], [], 0.2)
            if readable:
                try:
                    if not self.connection.recv(4096):
                        return
                except OSError:
                    return

    def do_GET(self):
        self.record()
        path = self.local_path()
        if path is None:
            self.error_page(400)
            return
        if os.path.exists(path + ".hang"):
            self.hang()
            return
        if os.path.exists(path + ".status"):
            with open(path + ".status", encoding="ascii") as marker:
                self.error_page(int(marker.read().strip()))
            return
        if os.path.exists(path + ".redirect"):
            with open(path + ".redirect", encoding="utf-8") as marker:
                target = marker.read().strip()
            self.send_response(302)
            self.send_header("Location", target)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if not os.path.isfile(path):
            self.error_page(404)
            return
        with open(path, "rb") as served:
            body = served.read()
        if os.path.exists(path + ".cut"):
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
        self.send_bytes(200, body)


class SnipletServer(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, required=True, help="0: any free port")
    parser.add_argument("--root", required=True)
    parser.add_argument("--ready-file", help='"<pid> <port>", written once the server listens')
    parser.add_argument("--no-log", action="store_true", help="keep no requests.log")
    args = parser.parse_args()

    os.makedirs(args.root, exist_ok=True)
    try:
        server = SnipletServer(("127.0.0.1", args.port), SnipletHandler)
    except OSError as error:
        print(f"sniplet_server: cannot listen on 127.0.0.1:{args.port}: {error}", file=sys.stderr)
        return 1
    server.root = os.path.abspath(args.root)
    server.request_log = None if args.no_log else os.path.join(server.root, "requests.log")
    server.log_lock = threading.Lock()

    def stop(signum, frame):
        stopping.set()
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    if args.ready_file:
        # Whole or not at all: the starter polls for it.
        with open(args.ready_file + ".tmp", "w", encoding="ascii") as ready:
            ready.write(f"{os.getpid()} {server.server_address[1]}\n")
        os.replace(args.ready_file + ".tmp", args.ready_file)
    server.serve_forever(poll_interval=0.2)
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
