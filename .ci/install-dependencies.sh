# Installs the Debian packages that building and testing need, when any is missing.
# Sourced by test.sh and run.sh; defines install_dependencies.

required_packages=(
    cmake make ninja-build g++ libgtest-dev googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
    wine wine32:i386 wine64 fonts-wine fonts-liberation
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

package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

install_dependencies() {
    local missing=() package
    for package in "${required_packages[@]}"; do
        package_installed "$package" || missing+=("$package")
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    # wine32 is an i386 package: the architecture must be known to dpkg first.
    if [[ " ${missing[*]} " == *":i386 "* ]] &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo[@]}" dpkg --add-architecture i386
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}
