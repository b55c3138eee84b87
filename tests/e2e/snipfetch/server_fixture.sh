#!/usr/bin/env bash
# Starts and stops the sniplet servers of snipfetch's end-to-end tests: the site on
# the port that the test build of snipfetch was built for, a second server on
# any free port that stands in for a proxy, and an HTTPS site on the port of the
# test build for https://localhost, with certificates made afresh in
# <build>/e2e-work/tls. Their PIDs and the proxy's port are kept in
# <build>/e2e-work/snipfetch-servers.env.
# Usage: server_fixture.sh start|stop <build dir> <site port> <https site port>
set -euo pipefail

action=$1
build_dir=$(cd "$2" && pwd)
site_port=$3
tls_port=${4:-}
work=$build_dir/e2e-work
state=$work/snipfetch-servers.env
server=$(dirname "${BASH_SOURCE[0]}")/sniplet_server.py
# shellcheck source=tests/e2e/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine_env.sh"

stop() {
    if [[ -f $state ]]; then
        # shellcheck source=/dev/null
        source "$state"
        for pid in "${SITE_PID:-}" "${PROXY_PID:-}" "${TLS_PID:-}"; do
            if runs_command "$pid" sniplet_server.py; then
                stop_pid "$pid"
            fi
        done
        rm -f "$state"
    fi
}

# Starts a server on port $1 serving folder $2, named $3, with further options;
# sets STARTED_PID and STARTED_PORT.
start_server() {
    local port=$1 root=$2 name=$3 ready=$work/$3.ready i
    shift 3
    rm -f "$ready"
    mkdir -p "$root"
    setsid python3 "$server" --port "$port" --root "$root" --ready-file "$ready" "$@" \
        >"$work/$name.log" 2>&1 </dev/null &
    STARTED_PID=$!
    for ((i = 0; i < 100; i++)); do
        if [[ -s $ready ]]; then
            read -r _ STARTED_PORT <"$ready"
            return 0
        fi
        if ! kill -0 "$STARTED_PID" 2>/dev/null; then
            echo "the $name server did not start:" >&2
            cat "$work/$name.log" >&2
            if [[ $port != 0 ]]; then
                echo "port $port is taken: reconfigure with another -DSNIPFETCH_E2E_PORT or -DSNIPFETCH_E2E_TLS_PORT" >&2
            fi
            return 1
        fi
        sleep 0.1
    done
    echo "the $name server did not get ready within 10 s" >&2
    return 1
}

start() {
    stop
    mkdir -p "$work"
    start_server "$site_port" "$work/snipfetch-site" snipfetch-site
    echo "SITE_PID=$STARTED_PID" >"$state"
    start_server 0 "$work/snipfetch-proxy" snipfetch-proxy || { stop; exit 1; }
    printf 'PROXY_PID=%s\nPROXY_PORT=%s\n' "$STARTED_PID" "$STARTED_PORT" >>"$state"
    echo "$STARTED_PORT" >"$work/snipfetch-proxy.port"
    echo "sniplet site on 127.0.0.1:$site_port, proxy on 127.0.0.1:$STARTED_PORT"
    if [[ -n $tls_port ]]; then
        bash "$(dirname "${BASH_SOURCE[0]}")/make_test_certificates.sh" "$work/tls" || { stop; exit 1; }
        start_server "$tls_port" "$work/snipfetch-tls-site" snipfetch-tls-site \
            --tls-dir "$work/tls" || { stop; exit 1; }
        echo "TLS_PID=$STARTED_PID" >>"$state"
        echo "HTTPS sniplet site on localhost:$tls_port (127.0.0.1)"
    fi
}

case $action in
start) start ;;
stop) stop ;;
*)
    echo "usage: $0 start|stop <build dir> <site port> [<https site port>]" >&2
    exit 2
    ;;
esac
