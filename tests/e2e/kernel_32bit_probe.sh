# Whether this machine's kernel starts 32-bit x86 Linux programs, found by starting
# one: a 91-byte static i386 program that only exits, written here so that the
# probe needs no 32-bit package. Source it; it sets no options.

kernel_runs_32bit_programs() {
    local probe status=0
    probe=$(mktemp) || return 1
    # ELF header, one loadable segment at 0x08048000, then the code
    # xor eax,eax; inc eax; xor ebx,ebx; int 0x80 (exit(0)).
    printf '%b' \
        '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00' \
        '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
        '\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
        '\x31\xc0\x40\x31\xdb\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    return "$status"
}
