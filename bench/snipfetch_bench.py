#!/usr/bin/env python3
"""Measures snipfetch under Wine and prints a table (run by snipfetch_bench.sh).

Expects WINEPREFIX, DISPLAY and WINE_LOADER (the command that starts Windows
programs here) set up, and a sniplet server (sniplet_server.py)
serving --site on the port that --program was built for.
"""

import argparse
import base64
import hashlib
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

GET_LIST_SIZES = (1000, 10000, 100000)
MILLION = 1000000
DOWNLOAD_FILES = 1000
DOWNLOAD_SIZE = 4096
LARGE_SIZE = 100 * 1000 * 1000
FAR_FILES = 200
FAR_DELAY = 0.05  # seconds before each answer of the far server
FAR_LANES = 4
WINE_LOADER = os.environ.get("WINE_LOADER", "wine")
TIP_ROWS = 200  # the tip measurement moves through 111 of them
TIP_GOAL_MS = FAR_DELAY * 1000 + 100


def name(index):
    return f"sniplet{index:06d}.snp"


def write_catalogue(site, count):
    with open(os.path.join(site, "Sniplets", "Sniplets.txt"), "wb") as catalogue:
        catalogue.write("".join(name(i) + "\r\n" for i in range(count)).encode("ascii"))


def write_index(site, entries, key):
    """Sniplets.index of (name, size, sha256 hex) entries, signed with key (PEM)
    by the openssl program, as snipindex would sign it."""
    sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e", "snipfetch"))
    from make_signed_sites import raw_signature  # pylint: disable=import-outside-toplevel

    expires = time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(time.time() + 30 * 86400))
    text = f"snipfetch index 1\nsequence 1\nexpires {expires}\n".encode("ascii")
    text += "".join(f"{digest} {size} {name}\n" for name, size, digest in entries).encode("utf-8")
    signature = base64.b64encode(raw_signature(key, text))
    with open(os.path.join(site, "Sniplets", "Sniplets.index"), "wb") as index:
        index.write(text + b"signature " + signature + b"\n")


EMPTY_SHA256 = hashlib.sha256(b"").hexdigest()


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine(args, env):
    """Runs a Windows program; its RESULT line as a dict."""
    # A file, not a pipe: helper processes of Wine outlive the program and would
    # hold a pipe open.
    with tempfile.TemporaryFile("w+", encoding="utf-8", errors="replace") as output:
        done = subprocess.run([WINE_LOADER] + args, env=env, stdout=output, stderr=subprocess.STDOUT,
                              stdin=subprocess.DEVNULL, check=False)
        output.seek(0)
        text = output.read()
    for line in text.splitlines():
        if line.startswith("RESULT "):
            return dict(field.split("=", 1) for field in line[7:].split())
        if line.startswith("files=") and "seconds=" in line:
            return dict(field.split("=", 1) for field in line.split())
    sys.exit(f"{args[0]} failed ({done.returncode}):\n{text}")


def get_list_folder(work, count):
    """A folder whose Sniplets holds every second name of the catalogue."""
    folder = os.path.join(work, f"get_list_{count}")
    sniplets = os.path.join(folder, "Sniplets")
    if not os.path.isdir(sniplets):
        os.makedirs(sniplets)
        for index in range(0, count, 2):
            open(os.path.join(sniplets, name(index)), "wb").close()
    return folder


def get_list_once(args, env, folder, rows, program=None):
    program = program or args.program
    # The driver copies the program into the folder afresh each time.
    exe = os.path.join(folder, os.path.basename(program))
    if os.path.exists(exe):
        os.remove(exe)
    return wine([args.driver, "--case=bench.get_list", f"--program={program}",
                 f"--folder={folder}", f"--rows={rows}"], env)


def measure_get_list(args, env, count):
    write_catalogue(args.site, count)
    folder = get_list_folder(args.work, count)
    seconds, peaks, starts = [], [], []
    for _ in range(args.runs):
        result = get_list_once(args, env, folder, count // 2)
        seconds.append(float(result["seconds"]))
        peaks.append(int(result["peak_bytes"]))
        starts.append(int(result["start_peak_bytes"]))
    return seconds, peaks, starts


def million_folder(work, half_present):
    """A folder whose Sniplets holds every second name of a million, or none."""
    folder = os.path.join(work, "million_half" if half_present else "million_none")
    sniplets = os.path.join(folder, "Sniplets")
    if not os.path.isdir(sniplets):
        os.makedirs(sniplets)
        for index in range(0, MILLION, 2) if half_present else ():
            open(os.path.join(sniplets, name(index)), "wb").close()
    return folder


def measure_million(args, env, half_present):
    """Get List of a million names, and in each run the floors under it: a bare
    listing loop over the same folder and a bare fetch of the same catalogue."""
    write_catalogue(args.site, MILLION)
    folder = million_folder(args.work, half_present)
    rows = MILLION // 2 if half_present else MILLION
    seconds, peaks, listings, fetches = [], [], [], []
    for _ in range(args.runs):
        exe = os.path.join(folder, os.path.basename(args.program))
        if os.path.exists(exe):
            os.remove(exe)
        result = wine([args.driver, "--case=bench.get_list", f"--program={args.program}",
                       f"--folder={folder}", f"--rows={rows}"], env)
        floors = wine([args.floors, f"127.0.0.1:{args.port}",
                       windows_path(os.path.join(folder, "Sniplets"))], env)
        seconds.append(float(result["seconds"]))
        peaks.append(int(result["peak_bytes"]))
        listings.append(float(floors["list_seconds"]))
        fetches.append(float(floors["fetch_seconds"]))
        print(f"  get list {seconds[-1]:.3f} s, listing {listings[-1]:.3f} s, "
              f"fetch {fetches[-1]:.3f} s", file=sys.stderr, flush=True)
    return seconds, peaks, listings, fetches


def million_rows(args, env):
    rows = []
    for half_present, time_goal, memory_goal in ((True, "<= 1.25 x the floors' sum", 120),
                                                 (False, "<= 1.0 s", 100)):
        which = "half of them present" if half_present else "none present"
        print(f"Get List, 1,000,000 names, {which} ...", file=sys.stderr, flush=True)
        seconds, peaks, listings, fetches = measure_million(args, env, half_present)
        sums = [listing + fetch for listing, fetch in zip(listings, fetches)]
        ratios = [s / f for s, f in zip(seconds, sums)]
        peak = statistics.median(peaks) / 2**20
        rows.append((f"Get List, 1,000,000 names, {which}", f"{statistics.median(seconds):.3f} s",
                     f"{statistics.median(ratios):.2f} x (runs {min(ratios):.2f} to "
                     f"{max(ratios):.2f}) the floors' sum (goal: {time_goal}); peak working set "
                     f"{peak:.1f} MiB (goal: <= {memory_goal} MiB)"))
        rows.append(("Floors: bare listing of that folder + bare fetch of the catalogue",
                     f"{statistics.median(sums):.3f} s",
                     f"listing {statistics.median(listings):.3f} s, fetch "
                     f"{statistics.median(fetches):.3f} s"))
    return rows


def prepare_download_site(site, count):
    write_catalogue(site, count)
    body = bytes(range(256)) * (DOWNLOAD_SIZE // 256)
    for index in range(count):
        with open(os.path.join(site, "Sniplets", name(index)), "wb") as served:
            served.write(body)


def download_once(args, env, rows=DOWNLOAD_FILES, program=None):
    return wine([args.driver, "--case=bench.download", f"--program={program or args.program}",
                 f"--rows={rows}"], env)


def measure_large_download(args, env, program=None):
    """Peak memory while one large sniplet comes in: the body is streamed to disk
    (with the signed index, hashed on the way)."""
    with open(os.path.join(args.site, "Sniplets", "Sniplets.txt"), "wb") as catalogue:
        catalogue.write(b"large.snp\r\n")
    digest = hashlib.sha256()
    with open(os.path.join(args.site, "Sniplets", "large.snp"), "wb") as served:
        block = bytes(range(256)) * 4096
        for _ in range(LARGE_SIZE // len(block)):
            served.write(block)
            digest.update(block)
        served.write(block[: LARGE_SIZE % len(block)])
        digest.update(block[: LARGE_SIZE % len(block)])
    if program:
        write_index(args.site, [("large.snp", LARGE_SIZE, digest.hexdigest())], args.index_key)
    seconds, peaks, starts = [], [], []
    for _ in range(args.runs):
        result = download_once(args, env, rows=1, program=program)
        seconds.append(float(result["seconds"]))
        peaks.append(int(result["peak_bytes"]))
        starts.append(int(result["start_peak_bytes"]))
    os.remove(os.path.join(args.site, "Sniplets", "large.snp"))
    return seconds, peaks, starts


def bare_loop_once(args, env):
    names_file = os.path.join(args.work, "names.txt")
    with open(names_file, "w", encoding="ascii") as names:
        names.write("".join(name(i) + "\n" for i in range(DOWNLOAD_FILES)))
    out = os.path.join(args.work, "bare_loop")
    shutil.rmtree(out, ignore_errors=True)
    result = wine([args.bare_loop, f"127.0.0.1:{args.port}", windows_path(names_file),
                   windows_path(out)], env)
    assert len(os.listdir(out)) == DOWNLOAD_FILES
    return float(result["seconds"])


def curl_once(args):
    out = os.path.join(args.work, "curl")
    config = os.path.join(args.work, "curl.cfg")
    with open(config, "w", encoding="ascii") as lines:
        for index in range(DOWNLOAD_FILES):
            lines.write(f'url = "http://127.0.0.1:{args.port}/Sniplets/{name(index)}"\n')
            lines.write(f'output = "{out}/{name(index)}"\n')
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    start = time.perf_counter()
    subprocess.run(["curl", "--silent", "--show-error", "--fail", "--config", config], check=True)
    seconds = time.perf_counter() - start
    assert len(os.listdir(out)) == DOWNLOAD_FILES
    return seconds


def measure_downloads(args, env):
    """The four ways in turn, run after run, so that a change in the machine's
    load falls on all of them alike."""
    one, side_by_side, bare, curl = [], [], [], []
    for _ in range(args.runs):
        one.append(float(download_once(args, env, program=args.one_at_a_time)["seconds"]))
        side_by_side.append(float(download_once(args, env)["seconds"]))
        bare.append(bare_loop_once(args, env))
        curl.append(curl_once(args))
        print(f"  download one at a time {one[-1]:.3f} s, {FAR_LANES} at once "
              f"{side_by_side[-1]:.3f} s, bare loop {bare[-1]:.3f} s, curl {curl[-1]:.3f} s",
              file=sys.stderr, flush=True)
    return one, side_by_side, bare, curl


def measure_per_file_costs(args, env):
    pointer, redirects, plain, staged = [], [], [], []
    for _ in range(args.runs):
        scratch = os.path.join(args.work, "costs")
        shutil.rmtree(scratch, ignore_errors=True)
        result = wine([args.costs, f"127.0.0.1:{args.port}", f"/Sniplets/{name(0)}",
                       windows_path(scratch)], env)
        pointer.append(float(result["wait_pointer_us"]))
        redirects.append(float(result["redirect_handling_us"]))
        plain.append(float(result["plain_files_us"]))
        staged.append(float(result["folder_writer_us"]))
    return pointer, redirects, plain, staged


def measure_far(args, env):
    """Download from the server that answers each request late, side by side and
    one at a time, run after run."""
    side_by_side, one = [], []
    for _ in range(args.runs):
        side_by_side.append(float(download_once(args, env, FAR_FILES, args.far)["seconds"]))
        one.append(float(download_once(args, env, FAR_FILES, args.far_one_at_a_time)["seconds"]))
        print(f"  far download {side_by_side[-1]:.3f} s, one at a time {one[-1]:.3f} s",
              file=sys.stderr, flush=True)
    return side_by_side, one


def prepare_tip_site(site):
    """Sniplets whose heads tell their row: what bench.tip expects."""
    sniplets = os.path.join(site, "Sniplets")
    names = [f"tip{index:03d}.snp" for index in range(TIP_ROWS)]
    for index, tip_name in enumerate(names):
        with open(os.path.join(sniplets, tip_name), "wb") as sniplet:
            sniplet.write(f"Sniplet File\r\nSniplet {index}\r\nBench\r\nRow {index} of the "
                          "benchmark.\r\nMsgBox *\r\n---\r\n\r\n---\r\n\r\n---\r\n\r\n---\r\n"
                          .encode("ascii"))
    with open(os.path.join(sniplets, "Sniplets.txt"), "wb") as catalogue:
        catalogue.write("".join(tip_name + "\r\n" for tip_name in names).encode("ascii"))


def measure_tip(args, env):
    """Focus to tip against the far server, and the fetches of a run through the rows."""
    medians, maxima, fetches = [], [], []
    ranges_log = os.path.join(args.site, "ranges.log")
    for _ in range(args.runs):
        result = wine([args.driver, "--case=bench.tip", f"--program={args.far}",
                       f"--ranges-log={ranges_log}"], env)
        medians.append(float(result["tip_median_ms"]))
        maxima.append(float(result["tip_max_ms"]))
        fetches.append(int(result["fetches_100_rows"]))
        print(f"  tip {medians[-1]:.1f} ms (max {maxima[-1]:.1f} ms), {fetches[-1]} fetches",
              file=sys.stderr, flush=True)
    return medians, maxima, fetches


def signed_rows(args, env):
    """A build with the maker's key against the same build reading the catalogue."""
    rows = []
    count = GET_LIST_SIZES[-1]
    print(f"Get List, {count} names, index and catalogue ...", file=sys.stderr, flush=True)
    write_catalogue(args.site, count)
    write_index(args.site, [(name(i), 0, EMPTY_SHA256) for i in range(count)], args.index_key)
    folder = get_list_folder(args.work, count)
    signed, plain, peaks = [], [], []
    for _ in range(args.runs):
        result = get_list_once(args, env, folder, count // 2, args.signed_program)
        signed.append(float(result["seconds"]))
        peaks.append(int(result["peak_bytes"]))
        plain.append(float(get_list_once(args, env, folder, count // 2)["seconds"]))
    rows.append((f"Get List, {count:,} names from the signed index, half of them present",
                 f"{statistics.median(signed):.3f} s",
                 f"{ratio(signed, plain)} the same names from the catalogue "
                 f"({statistics.median(plain):.3f} s) (goal: <= 1.15 x); peak working set "
                 f"{statistics.median(peaks) / 2**20:.1f} MiB"))

    steps = [index_costs_once(args, env, folder) for _ in range(args.runs)]

    def step(field):
        return f"{statistics.median(float(run[field]) for run in steps):.3f} s"

    rows.append(("Steps of that Get List, each alone (index_costs)", step("whole"),
                 f"fetch {step('index_fetch')} ({step('hashed_fetch')} reading and hashing on the "
                 f"way), reading alone {step('read')}, signature {step('verify')}, names with the folder's "
                 f"listing {step('index_names')}; the catalogue: fetch "
                 f"{step('catalogue_fetch')}, names with the listing {step('catalogue_names')}"))

    print("Download, with and without the checks ...", file=sys.stderr, flush=True)
    prepare_download_site(args.site, DOWNLOAD_FILES)
    body = bytes(range(256)) * (DOWNLOAD_SIZE // 256)
    write_index(args.site, [(name(i), len(body), hashlib.sha256(body).hexdigest())
                            for i in range(DOWNLOAD_FILES)], args.index_key)
    checked, unchecked = [], []
    for _ in range(args.runs):
        checked.append(float(download_once(args, env, program=args.signed_program)["seconds"]))
        unchecked.append(float(download_once(args, env)["seconds"]))
        print(f"  download with checks {checked[-1]:.3f} s, without {unchecked[-1]:.3f} s",
              file=sys.stderr, flush=True)
    rows.append((f"Download of {DOWNLOAD_FILES:,} files of 4 KiB with the size and hash checks",
                 f"{statistics.median(checked):.3f} s",
                 f"{ratio(checked, unchecked)} the same without them "
                 f"({statistics.median(unchecked):.3f} s) (goal: <= 1.05 x)"))

    print("Download of one large sniplet, checked ...", file=sys.stderr, flush=True)
    seconds, peaks, starts = measure_large_download(args, env, args.signed_program)
    rows.append((f"Peak memory downloading one sniplet of {LARGE_SIZE // 10**6} MB, checked",
                 f"{statistics.median(peaks) / 2**20:.1f} MiB",
                 f"peak working set (goal: <= 40 MiB); {statistics.median(starts) / 2**20:.1f} "
                 f"MiB before the click; the download took {statistics.median(seconds):.2f} s"))

    print("Get List, 1,000,000 names from the signed index ...", file=sys.stderr, flush=True)
    write_index(args.site, [(name(i), 0, EMPTY_SHA256) for i in range(MILLION)], args.index_key)
    folder = million_folder(args.work, False)
    seconds, peaks = [], []
    for _ in range(args.runs):
        result = get_list_once(args, env, folder, MILLION, args.signed_program)
        seconds.append(float(result["seconds"]))
        peaks.append(int(result["peak_bytes"]))
        print(f"  get list {seconds[-1]:.3f} s", file=sys.stderr, flush=True)
    size = os.path.getsize(os.path.join(args.site, "Sniplets", "Sniplets.index"))
    rows.append(("Get List, 1,000,000 names from the signed index, none present",
                 f"{statistics.median(seconds):.3f} s",
                 f"index of {size / 2**20:.1f} MiB; peak working set "
                 f"{statistics.median(peaks) / 2**20:.1f} MiB"))
    os.remove(os.path.join(args.site, "Sniplets", "Sniplets.index"))
    return rows


def index_costs_once(args, env, folder):
    """The steps of a Get List from the index, timed apart by index_costs.exe."""
    der = subprocess.run(["openssl", "ec", "-in", args.index_key, "-pubout", "-outform", "DER"],
                         capture_output=True, check=True).stdout
    point = base64.b64encode(der[-65:]).decode("ascii")
    return wine([args.index_costs, f"127.0.0.1:{args.port}", point,
                 windows_path(os.path.join(folder, "Sniplets"))], env)


def ratio(numerators, denominators):
    # Run by run, then the median: a change in the machine's load between runs
    # falls on both sides of each ratio.
    ratios = [n / d for n, d in zip(numerators, denominators)]
    return f"{statistics.median(ratios):.2f} x (runs {min(ratios):.2f} to {max(ratios):.2f})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="snipfetch_local.exe")
    parser.add_argument("--one-at-a-time", required=True, help="snipfetch_local_one.exe")
    parser.add_argument("--far", required=True, help="snipfetch_far.exe")
    parser.add_argument("--far-one-at-a-time", required=True, help="snipfetch_far_one.exe")
    parser.add_argument("--driver", required=True, help="snipfetch_bench.exe")
    parser.add_argument("--bare-loop", required=True, help="bare_fetch_loop.exe")
    parser.add_argument("--floors", required=True, help="get_list_floors.exe")
    parser.add_argument("--index-costs", required=True, help="index_costs.exe")
    parser.add_argument("--costs", required=True, help="per_file_costs.exe")
    parser.add_argument("--signed-program", required=True,
                        help="snipfetch_signed_local.exe, built with the maker's test key")
    parser.add_argument("--index-key", required=True, help="that key's private half (PEM)")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--site", required=True, help="the folder the server serves")
    parser.add_argument("--work", required=True, help="scratch folder")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--only", choices=("get-list", "million", "download", "far", "tip", "signed"),
                        help="one part of the table")
    args = parser.parse_args()
    os.makedirs(os.path.join(args.site, "Sniplets"), exist_ok=True)
    os.makedirs(args.work, exist_ok=True)
    env = dict(os.environ, E2E_WORK_DIR=args.work)

    rows = []  # (measurement, median, what follows from it)
    previous = None
    for count in GET_LIST_SIZES if args.only in (None, "get-list") else ():
        print(f"Get List, {count} names ...", file=sys.stderr, flush=True)
        seconds, peaks, starts = measure_get_list(args, env, count)
        median = statistics.median(seconds)
        derived = f"{median / count * 10000:.3f} s per 10,000 names"
        if previous:
            added = (median - previous[1]) / (count - previous[0]) * 10000
            derived += f"; {added:.3f} s per 10,000 added since {previous[0]:,}"
        rows.append((f"Get List, {count:,} names, half of them present", f"{median:.3f} s", derived))
        previous = (count, median)
        if count == GET_LIST_SIZES[-1]:
            rows.append(("Peak memory of snipfetch during that Get List",
                         f"{statistics.median(peaks) / 2**20:.1f} MiB",
                         f"peak working set; {statistics.median(starts) / 2**20:.1f} MiB "
                         "with the window up, before the click"))

    if args.only in (None, "million"):
        rows += million_rows(args, env)

    if args.only in (None, "download"):
        print("Download ...", file=sys.stderr, flush=True)
        prepare_download_site(args.site, DOWNLOAD_FILES)
        download, side_by_side, bare, curl = measure_downloads(args, env)
        rows.append((f"Download of {DOWNLOAD_FILES:,} checked files of 4 KiB, one transfer at a "
                     "time, click to Notice", f"{statistics.median(download):.3f} s",
                     f"{ratio(download, bare)} bare loop (goal: <= 1.1 x); "
                     f"{ratio(download, curl)} curl"))
        rows.append((f"The same, {FAR_LANES} transfers at once (as shipped)",
                     f"{statistics.median(side_by_side):.3f} s",
                     f"{ratio(side_by_side, bare)} bare loop"))
        pointer, redirects, plain, staged = measure_per_file_costs(args, env)
        rows.append(("Per file: the wait pointer on and off over a shown window",
                     f"{statistics.median(pointer):.1f} us", "each alone, 2,000 times"))
        rows.append(("Per file: redirects switched off in WinHTTP, status and Location looked up",
                     f"{statistics.median(redirects):.1f} us", "each alone, 2,000 times"))
        rows.append(("Per file: 1,000 files of 4 KiB written into a new folder, plainly",
                     f"{statistics.median(plain):.1f} us", ""))
        rows.append(("Per file: the same through the folder writer (staged, then moved over)",
                     f"{statistics.median(staged):.1f} us", f"{ratio(staged, plain)} plainly"))
        rows.append(("Bare loop: same HTTP client and URLs, plain files",
                     f"{statistics.median(bare):.3f} s", f"{ratio(bare, curl)} curl"))
        rows.append(("curl: one process, one reused connection",
                     f"{statistics.median(curl):.3f} s", ""))

        print("Download of one large sniplet ...", file=sys.stderr, flush=True)
        seconds, peaks, starts = measure_large_download(args, env)
        rows.append((f"Peak memory of snipfetch downloading one sniplet of {LARGE_SIZE // 10**6} MB",
                     f"{statistics.median(peaks) / 2**20:.1f} MiB",
                     f"peak working set; {statistics.median(starts) / 2**20:.1f} MiB before the "
                     f"click; the download took {statistics.median(seconds):.2f} s"))

    if args.only in (None, "far"):
        print(f"Download from a server {FAR_DELAY * 1000:.0f} ms away ...", file=sys.stderr,
              flush=True)
        prepare_download_site(args.site, FAR_FILES)
        side_by_side, one = measure_far(args, env)
        floor = FAR_FILES * FAR_DELAY / FAR_LANES
        rows.append((f"Download of {FAR_FILES} files of 4 KiB, each answer {FAR_DELAY * 1000:.0f} ms "
                     f"late, {FAR_LANES} transfers at once", f"{statistics.median(side_by_side):.3f} s",
                     f"{ratio(side_by_side, one)} one at a time (goal: <= 0.35 x); "
                     f"{ratio(side_by_side, [floor] * len(side_by_side))} {FAR_FILES} x "
                     f"{FAR_DELAY * 1000:.0f} ms / {FAR_LANES} = {floor:.2f} s (goal: <= 1.3 x)"))
        rows.append(("The same, one transfer at a time", f"{statistics.median(one):.3f} s", ""))

    if args.only in (None, "tip"):
        print("Tips ...", file=sys.stderr, flush=True)
        prepare_tip_site(args.site)
        medians, maxima, fetches = measure_tip(args, env)
        rows.append((f"Tip: from a row getting the focus (Down) to its tip's text, each answer "
                     f"{FAR_DELAY * 1000:.0f} ms late", f"{statistics.median(medians):.1f} ms",
                     f"median of 10 rows a run; slowest row {max(maxima):.1f} ms "
                     f"(goal: <= {TIP_GOAL_MS:.0f} ms)"))
        rows.append(("Tip: head fetches started by 100 presses of Down, 33 ms apart",
                     f"{statistics.median(fetches)}",
                     f"runs {min(fetches)} to {max(fetches)} (goal: a handful, not 100)"))
    if args.only in (None, "signed"):
        rows += signed_rows(args, env)

    print(f"snipfetch benchmark, {time.strftime('%Y-%m-%d')}, 64-bit build under "
          f"{subprocess.run([WINE_LOADER, '--version'], capture_output=True, text=True).stdout.strip()}, "
          f"median of {args.runs} runs")
    print()
    print("| Measurement | Median | Derived |")
    print("|---|---:|---|")
    for label, value, derived in rows:
        print(f"| {label} | {value} | {derived} |")


if __name__ == "__main__":
    main()
