#!/usr/bin/env python3
"""A sniplet server for the end-to-end tests and the benchmark.

Serves the files below --root over HTTP/1.1 with keep-alive, on 127.0.0.1 only.
Beside a served file, marker files change how its path is answered:

  <path>.status    holds a status code: answer with it and a small error page
                   (204 and 304 with no body at all)
  <path>.cut       announce the whole length, send half the body, close
  <path>.chunked   "whole": send the body in chunks, whatever the request's
                   version; "cut": send its first half as a chunk, then close
  <path>.nolength  send the body with no Content-Length, then close
  <path>.trickle   "<bytes> <seconds>": announce the whole length, then send that
                   many bytes every that many seconds
  <path>.stall     announce the whole length, send half the body, then hold the
                   connection without a word
  <path>.delay     holds seconds: wait that long, then answer as usual
  <path>.after     holds request paths: wait until each of them has been asked
                   for since the marker was written (10 s at most), then answer
                   as usual
  <path>.huge      holds a length: announce it and send zero bytes until done
  <path>.hang      accept the request and never answer
  <path>.redirect  holds a path: answer 302 with it as Location
  <path>.norange   ignore a Range header: send the whole file with 200, and
                   append "<path> sent <bytes> of <length>" to <root>/sent.log
                   once the client took it all or went away
  <path>.hostile   holds a seed: answer each request from a random mix of good
                   and broken answers (hostile_answers.py), close the connection,
                   and append "<seed> <number> <verdict>" to <root>/hostile.log;
                   the body a client may take is written to <path>.kept

A plain file is answered in part (206) when the request asks for a range of
its first bytes ("Range: bytes=0-<last>"). Requests with a Range header go to
<root>/ranges.log as "<path> <range>" (also with --no-log), not to
requests.log, and do not count for .after.

With --delay every request waits that many seconds before its answer, as if the
server were far away. A path with no file and no marker gets 404. Every request line's path, as it
came, is appended to <root>/requests.log (unless --no-log).

With --tls-dir the server speaks HTTPS: each connection gets the certificate
<tls-dir>/<name>.pem (key <tls-dir>/server.key), where <root>/certificate names
it ("good" when there is no such file), and offers only the TLS version that
<root>/tls-version names ("1.0", "1.1", "1.2" or "1.3"; any when there is none).
A connection whose handshake fails is closed before any request is read.
"""

import argparse
import os
import select
import signal
import ssl
import sys
import threading
import time
import urllib.parse
import warnings
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import hostile_answers

stopping = threading.Event()
TLS_VERSIONS = {"1.0": ssl.TLSVersion.TLSv1, "1.1": ssl.TLSVersion.TLSv1_1,
                "1.2": ssl.TLSVersion.TLSv1_2, "1.3": ssl.TLSVersion.TLSv1_3}
MARKERS = (".norange", ".hostile", ".hang", ".after", ".delay", ".huge", ".status", ".redirect", ".chunked", ".nolength", ".trickle",
           ".stall", ".cut")


class SnipletHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "SnipletServer/1.0"
    disable_nagle_algorithm = True

    def log_message(self, format, *args):
        pass

    def setup(self):
        if isinstance(self.request, ssl.SSLSocket):
            self.request.settimeout(10)
            self.request.do_handshake()  # raises when the client refuses the certificate
            self.request.settimeout(None)
        super().setup()

    def record(self):
        asked_range = self.headers.get("Range")
        if asked_range is not None:
            self.append_line("ranges.log", f"{self.path} {asked_range}")
            return
        with self.server.asked_for:
            self.server.asked[self.path] = time.time()
            self.server.asked_for.notify_all()
        if self.server.request_log is None:
            return
        with self.server.log_lock:
            with open(self.server.request_log, "a", encoding="utf-8") as log:
                log.write(self.path + "\n")

    def append_line(self, name, line):
        with self.server.log_lock:
            with open(os.path.join(self.server.root, name), "a", encoding="utf-8") as log:
                log.write(line + "\n")

    def first_bytes_asked(self):
        """The last byte of "Range: bytes=0-<last>", or None for no such range."""
        asked = self.headers.get("Range", "")
        if not asked.startswith("bytes=0-") or not asked[8:].isdigit():
            return None
        return int(asked[8:])

    def send_ignoring_range(self, body):
        self.start_body(200, len(body))
        sent = 0
        try:
            for start in range(0, len(body), 64 * 1024):
                self.wfile.write(body[start : start + 64 * 1024])
                sent = min(len(body), start + 64 * 1024)
            self.wfile.flush()
        except OSError:  # the client went away
            self.close_connection = True
        self.append_line("sent.log", f"{self.path} sent {sent} of {len(body)}")

    def local_path(self):
        """The file for the request's path, or None when it leaves the root."""
        path = urllib.parse.urlsplit(self.path).path
        parts = [urllib.parse.unquote(p, errors="surrogateescape") for p in path.split("/")]
        if any(p in ("", ".", "..") or "\\" in p or "\0" in p for p in parts[1:]):
            return None
        return os.path.join(self.server.root, *parts[1:])

    def start_body(self, status, length, content_type="application/octet-stream", close=False,
                   chunked=False):
        """Sends the status line and headers; with no length the body ends with the
        connection, unless it comes in chunks."""
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        if chunked:
            self.send_header("Transfer-Encoding", "chunked")
        elif length is not None:
            self.send_header("Content-Length", str(length))
        if close or (length is None and not chunked):
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()

    def error_page(self, status):
        if status in (204, 304):
            self.send_response(status)
            self.end_headers()
            return
        page = f"<html><body><h1>Error {status}</h1></body></html>".encode()
        self.start_body(status, len(page), "text/html")
        self.wfile.write(page)

    def marker(self, path, name):
        """The text of the path's marker file, or None when there is none."""
        try:
            with open(path + name, encoding="utf-8") as marker:
                return marker.read().strip()
        except FileNotFoundError:
            return None

    def send_slowly(self, body, step, seconds):
        try:
            for start in range(0, len(body), step):
                if stopping.wait(seconds):
                    return
                self.wfile.write(body[start : start + step])
                self.wfile.flush()
        except OSError:  # the client gave up
            self.close_connection = True

    def send_chunked(self, body, whole):
        self.start_body(200, None, close=not whole, chunked=True)
        half = body[: len(body) // 2]
        rest = body[len(body) // 2 :] if whole else b""
        for chunk in (half, rest):
            if chunk:
                self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
        if whole:
            self.wfile.write(b"0\r\n\r\n")
        self.wfile.flush()

    def send_zeros(self, length):
        self.start_body(200, length)
        block = bytes(64 * 1024)
        left = length
        try:
            while left > 0 and not stopping.is_set():
                self.wfile.write(block[: min(left, len(block))])
                left -= len(block)
        except OSError:
            self.close_connection = True

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
        if self.server.delay and stopping.wait(self.server.delay):
            return
        path = self.local_path()
        if path is None:
            self.error_page(400)
            return
        marker = {name: self.marker(path, name) for name in MARKERS}
        if marker[".hostile"] is not None:
            self.answer_hostile(path, marker[".hostile"])
            return
        if marker[".hang"] is not None:
            self.hang()
            return
        if marker[".after"] is not None:
            # Only requests since the marker count: earlier cases asked for the same paths.
            since = os.path.getmtime(path + ".after")
            awaited = marker[".after"].split()
            with self.server.asked_for:
                self.server.asked_for.wait_for(
                    lambda: stopping.is_set() or
                    all(self.server.asked.get(other, 0) >= since for other in awaited),
                    timeout=10)
        if marker[".delay"] is not None and stopping.wait(float(marker[".delay"])):
            return
        if marker[".huge"] is not None:
            self.send_zeros(int(marker[".huge"]))
        elif marker[".status"] is not None:
            self.error_page(int(marker[".status"]))
        elif marker[".redirect"] is not None:
            self.send_response(302)
            self.send_header("Location", marker[".redirect"])
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif not os.path.isfile(path):
            self.error_page(404)
        else:
            with open(path, "rb") as served:
                self.send_file(served.read(), marker)

    def answer_hostile(self, path, seed):
        with self.server.log_lock:
            number = self.server.hostile_counts.get(seed, 0)
            self.server.hostile_counts[seed] = number + 1
        with open(path, "rb") as served:
            body = served.read()
        wire, verdict, kept = hostile_answers.answer(seed, number, self.path, body)
        # Told before it is sent: the client's outcome never comes ahead of it.
        if verdict in ("whole", "surplus"):
            with open(path + ".kept", "wb") as kept_file:
                kept_file.write(kept)
        with self.server.log_lock:
            with open(os.path.join(self.server.root, "hostile.log"), "a", encoding="ascii") as log:
                log.write(f"{seed} {number} {verdict}\n")
        self.close_connection = True
        try:
            self.wfile.write(wire)
            self.wfile.flush()
        except OSError:  # the client gave up
            pass

    def send_file(self, body, marker):
        if marker[".chunked"] is not None:
            self.send_chunked(body, marker[".chunked"] == "whole")
        elif marker[".nolength"] is not None:
            self.start_body(200, None)
            self.wfile.write(body)
        elif marker[".trickle"] is not None:
            step, seconds = marker[".trickle"].split()
            self.start_body(200, len(body))
            self.send_slowly(body, int(step), float(seconds))
        elif marker[".stall"] is not None or marker[".cut"] is not None:
            self.start_body(200, len(body), close=marker[".cut"] is not None)
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            if marker[".stall"] is not None:
                self.hang()
        elif marker[".norange"] is not None:
            self.send_ignoring_range(body)
        elif self.first_bytes_asked() is not None:
            part = body[: self.first_bytes_asked() + 1]
            self.send_response(206)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Range", f"bytes 0-{max(len(part) - 1, 0)}/{len(body)}")
            self.send_header("Content-Length", str(len(part)))
            self.end_headers()
            self.wfile.write(part)
        else:
            self.start_body(200, len(body))
            self.wfile.write(body)


class SnipletServer(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64
    tls_dir = None

    def setting(self, name, default):
        """The text of <root>/<name>, or the default when there is no such file."""
        try:
            with open(os.path.join(self.root, name), encoding="utf-8") as chosen:
                return chosen.read().strip()
        except FileNotFoundError:
            return default

    def get_request(self):
        connection, address = super().get_request()
        if self.tls_dir is None:
            return connection, address
        name = self.setting("certificate", "good")
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(os.path.join(self.tls_dir, name + ".pem"),
                                os.path.join(self.tls_dir, "server.key"))
        version = TLS_VERSIONS.get(self.setting("tls-version", ""))
        if version is not None:
            # OpenSSL 3 offers TLS 1.0 and 1.1 only at security level 0.
            context.set_ciphers("DEFAULT:@SECLEVEL=0")
            with warnings.catch_warnings():  # the old versions are deprecated: that is the point
                warnings.simplefilter("ignore", DeprecationWarning)
                context.minimum_version = context.maximum_version = version
        # The handshake runs on the connection's own thread (SnipletHandler.setup).
        return context.wrap_socket(connection, server_side=True,
                                   do_handshake_on_connect=False), address

    def handle_error(self, request, client_address):
        error = sys.exc_info()[1]
        if isinstance(error, (ssl.SSLError, OSError)):
            print(f"sniplet_server: {client_address}: {error}", file=sys.stderr)
        else:
            super().handle_error(request, client_address)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, required=True, help="0: any free port")
    parser.add_argument("--root", required=True)
    parser.add_argument("--ready-file", help='"<pid> <port>", written once the server listens')
    parser.add_argument("--no-log", action="store_true", help="keep no requests.log")
    parser.add_argument("--tls-dir", help="speak HTTPS with the certificates in this folder")
    parser.add_argument("--delay", type=float, default=0.0,
                        help="seconds to wait before each answer (a far server)")
    args = parser.parse_args()

    os.makedirs(args.root, exist_ok=True)
    try:
        server = SnipletServer(("127.0.0.1", args.port), SnipletHandler)
    except OSError as error:
        print(f"sniplet_server: cannot listen on 127.0.0.1:{args.port}: {error}", file=sys.stderr)
        return 1
    server.root = os.path.abspath(args.root)
    server.tls_dir = args.tls_dir
    server.delay = args.delay
    server.request_log = None if args.no_log else os.path.join(server.root, "requests.log")
    server.log_lock = threading.Lock()
    server.asked = {}  # request path: when it was last asked for, for .after
    server.asked_for = threading.Condition()
    server.hostile_counts = {}

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
