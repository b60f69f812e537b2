// An owned kernel handle (event, process, thread), closed exactly once.
#pragma once
#include <windows.h>

#include <memory>

struct CloseHandleDeleter {
    using pointer = HANDLE;
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using CKernelHandle = std::unique_ptr<void, CloseHandleDeleter>;
