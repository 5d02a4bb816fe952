#include "support/ThreadAllocationCounter.h"

#include <cerrno>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
 #define QUILVERN_SANITIZED_ALLOCATOR 1
#elif defined(__has_feature)
 #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
  #define QUILVERN_SANITIZED_ALLOCATOR 1
 #endif
#endif

// glibc's own allocator under the names it exports for this purpose.
extern "C"
{
void* __libc_malloc (std::size_t);
void* __libc_calloc (std::size_t, std::size_t);
void* __libc_realloc (void*, std::size_t);
void* __libc_memalign (std::size_t, std::size_t);
void __libc_free (void*);
}

namespace
{
// Plain thread-locals of the program itself need no allocation to exist.
thread_local bool counting = false;
thread_local long long count = 0;

void noteAllocation() noexcept
{
    if (counting)
        ++count;
}
} // namespace

namespace ThreadAllocationCounter
{
Scope::Scope()
{
    count = 0;
    counting = true;
}

Scope::~Scope() { counting = false; }

long long Scope::getCount() const noexcept { return count; }

bool isAvailable() noexcept
{
#if defined(QUILVERN_SANITIZED_ALLOCATOR)
    return false;
#else
    return true;
#endif
}
} // namespace ThreadAllocationCounter

#if ! defined(QUILVERN_SANITIZED_ALLOCATOR)

extern "C"
{
void* malloc (std::size_t size)
{
    noteAllocation();
    return __libc_malloc (size);
}

void* calloc (std::size_t count, std::size_t size)
{
    noteAllocation();
    return __libc_calloc (count, size);
}

void* realloc (void* pointer, std::size_t size)
{
    noteAllocation();
    return __libc_realloc (pointer, size);
}

void* memalign (std::size_t alignment, std::size_t size)
{
    noteAllocation();
    return __libc_memalign (alignment, size);
}

void* aligned_alloc (std::size_t alignment, std::size_t size)
{
    noteAllocation();
    return __libc_memalign (alignment, size);
}

int posix_memalign (void** result, std::size_t alignment, std::size_t size)
{
    noteAllocation();
    *result = __libc_memalign (alignment, size);
    return *result != nullptr ? 0 : ENOMEM;
}

void free (void* pointer) { __libc_free (pointer); }
}
#endif
