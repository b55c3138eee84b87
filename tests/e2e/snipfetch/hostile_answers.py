"""Answers of a hostile sniplet server: one per request, drawn from a seeded
random mix of status lines, framings (Content-Length right, wrong, missing,
twice; chunked well-formed and not), Content-Encoding, Location and bodies cut
at random places. Each answer says what a careful client makes of it."""

import random

# Status lines, with the status a client reads from them (None: malformed).
STATUS_LINES = [
    (b"HTTP/1.1 200 OK", 200), (b"HTTP/1.0 200 OK", 200), (b"HTTP/1.1 200 ", 200),
    (b"HTTP/1.1 204 No Content", 204), (b"HTTP/1.1 206 Partial Content", 206),
    (b"HTTP/1.1 301 Moved Permanently", 301), (b"HTTP/1.1 302 Found", 302),
    (b"HTTP/1.1 404 Not Found", 404), (b"HTTP/1.1 500 Internal Server Error", 500),
    (b"HTTP/1.1 2OO OK", None), (b"HTTP/1.1", None), (b"\x00\xffJUNK", None),
]
FRAMINGS = ["right", "right", "right", "bigger", "smaller", "missing", "twice-same",
            "twice-different", "chunked", "chunked-cut", "chunked-malformed",
            "chunked-with-length"]
# Framings from which a client may take the body: one Content-Length, maybe twice.
LENGTH_FRAMINGS = {"right", "bigger", "twice-same"}


def chunked(body, rng, whole):
    cuts = sorted(rng.randrange(len(body) + 1) for _ in range(2))
    pieces = [body[: cuts[0]], body[cuts[0] : cuts[1]], body[cuts[1] :]]
    wire = b"".join(b"%x\r\n%s\r\n" % (len(p), p) for p in pieces if p)
    return wire + b"0\r\n\r\n" if whole else wire


def answer(seed, number, path, body):
    """(bytes to send, verdict, body a client may keep): the verdict is "whole"
    when the answer is a 200 with all of its body, "surplus" when it is one with
    more bytes than its Content-Length (a client may take the body or refuse),
    "redirect" when it sends the client to `path` again, "bad" for anything else."""
    rng = random.Random(f"{seed}/{number}")
    headers = [b"Content-Type: application/octet-stream", b"Connection: close"]
    if rng.random() < 0.3:  # a good answer now and then, so that presses also succeed
        return (b"HTTP/1.1 200 OK\r\n" + b"".join(h + b"\r\n" for h in headers) +
                b"Content-Length: %d\r\n\r\n" % len(body) + body, "whole", body)
    line, status = rng.choice(STATUS_LINES)
    framing = rng.choice(FRAMINGS)
    encoding = rng.choice([b"gzip", b"deflate", b"br", b"identity"]) if rng.random() < 0.15 else None
    if encoding:
        headers.append(b"Content-Encoding: " + encoding)
    redirect = status in (301, 302) and rng.random() < 0.8
    # A Location beside a status that is no redirect is to be ignored.
    if redirect or (status not in (301, 302) and rng.random() < 0.1):
        headers.append(b"Location: " + path.encode())

    length, wire = len(body), body
    if framing == "bigger":
        length += rng.randint(1, 100)
    elif framing == "smaller":
        length = rng.randrange(len(body) + 1)
    if framing in ("right", "bigger", "smaller", "chunked-with-length"):
        headers.append(b"Content-Length: %d" % length)
    elif framing == "twice-same":
        headers += [b"Content-Length: %d" % length] * 2
    elif framing == "twice-different":
        headers += [b"Content-Length: %d" % length, b"Content-Length: %d" % (length + 1)]
    if framing.startswith("chunked"):
        headers.append(b"Transfer-Encoding: chunked")
        wire = chunked(body, rng, framing != "chunked-cut")
        if framing == "chunked-malformed":
            wire = b"zz\r\n" + wire
    if rng.random() < 0.3:
        wire = wire[: rng.randrange(len(wire) + 1)]

    kept = body[:length]
    if redirect:
        verdict = "redirect"
    elif (status == 200 and framing in LENGTH_FRAMINGS | {"smaller"}
          and encoding in (None, b"identity") and wire[:length] == kept and len(kept) == length):
        verdict = "surplus" if len(wire) > length else "whole"
    else:
        verdict = "bad"
    return line + b"\r\n" + b"".join(h + b"\r\n" for h in headers) + b"\r\n" + wire, verdict, kept
