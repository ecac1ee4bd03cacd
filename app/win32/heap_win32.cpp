// The Windows program's operator new and delete, straight on the process
// heap: built without exceptions, it needs none of the C++ runtime's, and
// linking them would bring in its exception and thread support.
#include <windows.h>

#include <cstddef>
#include <new>

namespace {
void* allocate(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1); }
void release(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}
}  // namespace

// Out of memory gives nullptr either way: no bad_alloc to throw.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
