# Installs the Debian packages that building and testing need, when any is missing.
# Sourced by test.sh and run.sh; defines install_dependencies.
#
# A package registry can be partly out of step for hours (an index of one
# architecture "Mirror sync in progress?"): `apt-get update` is then tried a few
# times and its failure alone stops nothing; the install decides. Wine's 32-bit
# part is optional: it is installed in a step of its own, and when it cannot be,
# the 32-bit end-to-end cases are skipped and say why (tests/e2e/wine_env.sh).

required_packages=(
    cmake make ninja-build g++ libgtest-dev googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
    wine wine64 fonts-wine fonts-liberation
    xvfb x11-utils xdotool imagemagick
    python3 curl clang-format
    # the native-asan preset, the libFuzzer targets and clang-tidy
    clang-14 libclang-rt-14-dev clang-tidy-14
    # openssl: the certificates of the HTTPS test server and of the signing check,
    # made at test time
    osslsigncode openssl python3-yaml python3-jsonschema
    # libcrypto for snipindex and the unit tests; GnuTLS, which Wine's bcrypt
    # uses for ECDSA
    libssl-dev libgnutls30
)
# Wine's 32-bit half: only the win32 end-to-end cases need it.
optional_32bit_package=wine32:i386

package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# apt-get update, up to three times; true when one of them succeeded.
update_package_lists() {
    local try
    for try in 1 2 3; do
        "${sudo[@]}" apt-get update && return 0
        ((try < 3)) || break
        echo "apt-get update failed (try $try of 3); trying again in $((try * 5)) s"
        sleep $((try * 5))
    done
    echo "apt-get update failed 3 times; installing from the package lists there are"
    return 1
}

# Installs the required packages that are missing; on failure names those that
# could not be installed, with apt's reason, and returns 1.
install_required() {
    local missing=("$@") package failed=() log
    log=$(mktemp)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}" 2>&1 |
        tee "$log"
    if ((PIPESTATUS[0] == 0)); then
        rm -f "$log"
        return 0
    fi
    # One at a time, to name the ones that cannot be installed.
    for package in "${missing[@]}"; do
        package_installed "$package" && continue
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "$package" \
            >"$log" 2>&1 || failed+=("$package")
    done
    if ((${#failed[@]})); then
        echo "Cannot install ${failed[*]}, which building and testing need: $(apt_reason "$log")" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}

# apt's reason in short: its first "E:" line (or else its last line), and the
# first dependency it could not meet, if it names one.
apt_reason() {
    local reason unmet
    reason=$(grep -m 1 '^E: ' "$1" | sed 's/^E: //; s/\.$//')
    [[ -n $reason ]] || reason=$(tail -n 1 "$1")
    unmet=$(grep -m 1 ' : Depends: ' "$1" | sed 's/^ *//; s/  */ /g')
    echo "${reason:-apt-get gave no reason}${unmet:+ (first unmet dependency: $unmet)}"
}

# Installs Wine's 32-bit part when this machine can run it. Never fails: without
# it the 32-bit end-to-end cases are skipped, with the reason.
install_32bit_wine() {
    local log
    # shellcheck source=tests/e2e/kernel_32bit_probe.sh
    source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/kernel_32bit_probe.sh"
    if ! kernel_runs_32bit_programs; then
        echo "Not installing $optional_32bit_package: this machine's kernel runs no 32-bit programs."
        return 0
    fi
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo[@]}" dpkg --add-architecture i386
        # The i386 lists are new: fetch them, whatever the lists already fetched.
        need_update=1
    fi
    if ((need_update)); then
        update_package_lists || true
        need_update=0
    fi
    log=$(mktemp)
    if "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "$optional_32bit_package" \
        >"$log" 2>&1; then
        echo "Installed $optional_32bit_package."
    else
        echo "Could not install $optional_32bit_package (Wine's 32-bit part): $(apt_reason "$log");" \
            "the win32 end-to-end tests will be skipped."
    fi
    rm -f "$log"
}

# install_dependencies [--with-32bit-wine]: the required packages, and with the
# option Wine's 32-bit part too when it is missing.
install_dependencies() {
    local missing=() package with_32bit=0 need_update=1
    [[ ${1:-} == --with-32bit-wine ]] && with_32bit=1
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    for package in "${required_packages[@]}"; do
        package_installed "$package" || missing+=("$package")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        update_package_lists || true
        need_update=0
        install_required "${missing[@]}" || return 1
    fi
    if ((with_32bit)) && ! package_installed "$optional_32bit_package"; then
        install_32bit_wine
    fi
    return 0
}
