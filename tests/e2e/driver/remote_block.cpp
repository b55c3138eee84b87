#include "tests/e2e/driver/remote_block.h"

#include "tests/e2e/driver/check.h"

namespace e2e {

RemoteBlock::RemoteBlock(HWND window, std::size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    require(process_ != nullptr, "cannot open the program's process to reach its memory");
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_ == nullptr) {
        CloseHandle(process_);
        fail("cannot allocate memory in the program's process");
    }
}

RemoteBlock::~RemoteBlock() {
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

void RemoteBlock::write(const void* data, std::size_t size, std::size_t offset) {
    SIZE_T written = 0;
    require(offset + size <= size_ &&
                WriteProcessMemory(process_, address() + offset, data, size, &written) &&
                written == size,
            "cannot write into the program's memory");
}

void RemoteBlock::read(void* data, std::size_t size, std::size_t offset) const {
    SIZE_T read = 0;
    require(offset + size <= size_ &&
                ReadProcessMemory(process_, address() + offset, data, size, &read) && read == size,
            "cannot read the program's memory");
}

} // namespace e2e
