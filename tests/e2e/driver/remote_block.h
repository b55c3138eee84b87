// A block of memory in the process of a window, for messages whose pointers a
// program reads in its own memory (the test and the program are built for the
// same bitness); freed on destruction.
#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

class RemoteBlock {
public:
    RemoteBlock(HWND window, std::size_t size);
    ~RemoteBlock();
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* address() const { return static_cast<char*>(address_); }
    LPARAM at(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(address() + offset); }

    void write(const void* data, std::size_t size, std::size_t offset = 0);
    void read(void* data, std::size_t size, std::size_t offset = 0) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

} // namespace e2e
