#pragma once

// Counts the heap allocations (malloc, calloc, realloc, aligned forms and
// so every operator new) that the calling thread makes while a Scope is
// alive, in this program and in every library it loads. On Linux the
// program defines the C allocation functions itself, and loaded plug-ins
// bind to them: link ThreadAllocationCounter.cpp into a program with
// exported symbols (ENABLE_EXPORTS). On Windows a Scope redirects the
// import tables of the program and of the libraries loaded before it began
// (ThreadAllocationCounterWin32.cpp).
namespace ThreadAllocationCounter
{
// False in a sanitizer build: the sanitizer brings its own allocator, which
// the program must not replace, so nothing is counted there.
bool isAvailable() noexcept;

class Scope
{
public:
    Scope();
    ~Scope();

    long long getCount() const noexcept;

    Scope (const Scope&) = delete;
    Scope& operator= (const Scope&) = delete;
};
} // namespace ThreadAllocationCounter
