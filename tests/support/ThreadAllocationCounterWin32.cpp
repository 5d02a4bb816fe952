// The Windows form of the counter. A Windows module calls the C library's
// allocation functions (and the heap functions of kernel32) through its own
// import table, so no definition in the program can stand in for them
// everywhere. A Scope instead points the import table entries of every module
// loaded from outside the Windows folder (the program and the plug-ins it has
// loaded) at counting forms that call the originals; the entries stay
// pointed there after the Scope, with counting off.
#include "support/ThreadAllocationCounter.h"

#ifndef NOMINMAX
 #define NOMINMAX
#endif
#include <windows.h>
#include <tlhelp32.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cwchar>

namespace
{
// The flag and the count live in Win32 thread-local slots: the compiler's
// emulated thread-locals may allocate on a thread's first use, from inside
// the counting functions.
DWORD countingSlot = TLS_OUT_OF_INDEXES;
DWORD countSlot = TLS_OUT_OF_INDEXES;

// TlsGetValue clears the thread's last error, which the caller of an
// allocation function may still have to read.
void noteAllocation() noexcept
{
    const auto lastError = GetLastError();

    if (TlsGetValue (countingSlot) != nullptr)
        TlsSetValue (countSlot, reinterpret_cast<void*> (reinterpret_cast<std::uintptr_t> (TlsGetValue (countSlot)) + 1));

    SetLastError (lastError);
}

using Malloc = void* (__cdecl*) (std::size_t);
using Calloc = void* (__cdecl*) (std::size_t, std::size_t);
using Realloc = void* (__cdecl*) (void*, std::size_t);
using AlignedMalloc = void* (__cdecl*) (std::size_t, std::size_t);
using AlignedRealloc = void* (__cdecl*) (void*, std::size_t, std::size_t);
using StrDup = char* (__cdecl*) (const char*);
using WcsDup = wchar_t* (__cdecl*) (const wchar_t*);
using HeapAllocFunction = LPVOID (WINAPI*) (HANDLE, DWORD, SIZE_T);
using HeapReAllocFunction = LPVOID (WINAPI*) (HANDLE, DWORD, LPVOID, SIZE_T);
using LocalAllocFunction = HLOCAL (WINAPI*) (UINT, SIZE_T);

struct Originals
{
    Malloc malloc = nullptr;
    Calloc calloc = nullptr;
    Realloc realloc = nullptr;
    AlignedMalloc alignedMalloc = nullptr;
    AlignedRealloc alignedRealloc = nullptr;
    StrDup strdup = nullptr;
    WcsDup wcsdup = nullptr;
    HeapAllocFunction heapAlloc = nullptr;
    HeapReAllocFunction heapReAlloc = nullptr;
    LocalAllocFunction localAlloc = nullptr;
} originals;

void* __cdecl countingMalloc (std::size_t size)
{
    noteAllocation();
    return originals.malloc (size);
}

void* __cdecl countingCalloc (std::size_t count, std::size_t size)
{
    noteAllocation();
    return originals.calloc (count, size);
}

void* __cdecl countingRealloc (void* pointer, std::size_t size)
{
    noteAllocation();
    return originals.realloc (pointer, size);
}

void* __cdecl countingAlignedMalloc (std::size_t size, std::size_t alignment)
{
    noteAllocation();
    return originals.alignedMalloc (size, alignment);
}

void* __cdecl countingAlignedRealloc (void* pointer, std::size_t size, std::size_t alignment)
{
    noteAllocation();
    return originals.alignedRealloc (pointer, size, alignment);
}

char* __cdecl countingStrDup (const char* text)
{
    noteAllocation();
    return originals.strdup (text);
}

wchar_t* __cdecl countingWcsDup (const wchar_t* text)
{
    noteAllocation();
    return originals.wcsdup (text);
}

LPVOID WINAPI countingHeapAlloc (HANDLE heap, DWORD flags, SIZE_T size)
{
    noteAllocation();
    return originals.heapAlloc (heap, flags, size);
}

LPVOID WINAPI countingHeapReAlloc (HANDLE heap, DWORD flags, LPVOID pointer, SIZE_T size)
{
    noteAllocation();
    return originals.heapReAlloc (heap, flags, pointer, size);
}

HLOCAL WINAPI countingLocalAlloc (UINT flags, SIZE_T size)
{
    noteAllocation();
    return originals.localAlloc (flags, size);
}

struct Redirection
{
    void* original;
    void* counting;
};

template <typename Function>
void resolve (Function& original, const wchar_t* module, const char* name)
{
    original = reinterpret_cast<Function> (reinterpret_cast<void*> (GetProcAddress (GetModuleHandleW (module), name)));
}

std::array<Redirection, 10> makeRedirections()
{
    resolve (originals.malloc, L"msvcrt.dll", "malloc");
    resolve (originals.calloc, L"msvcrt.dll", "calloc");
    resolve (originals.realloc, L"msvcrt.dll", "realloc");
    resolve (originals.alignedMalloc, L"msvcrt.dll", "_aligned_malloc");
    resolve (originals.alignedRealloc, L"msvcrt.dll", "_aligned_realloc");
    resolve (originals.strdup, L"msvcrt.dll", "_strdup");
    resolve (originals.wcsdup, L"msvcrt.dll", "_wcsdup");
    resolve (originals.heapAlloc, L"kernel32.dll", "HeapAlloc");
    resolve (originals.heapReAlloc, L"kernel32.dll", "HeapReAlloc");
    resolve (originals.localAlloc, L"kernel32.dll", "LocalAlloc");

    return { { { reinterpret_cast<void*> (originals.malloc), reinterpret_cast<void*> (&countingMalloc) },
               { reinterpret_cast<void*> (originals.calloc), reinterpret_cast<void*> (&countingCalloc) },
               { reinterpret_cast<void*> (originals.realloc), reinterpret_cast<void*> (&countingRealloc) },
               { reinterpret_cast<void*> (originals.alignedMalloc), reinterpret_cast<void*> (&countingAlignedMalloc) },
               { reinterpret_cast<void*> (originals.alignedRealloc), reinterpret_cast<void*> (&countingAlignedRealloc) },
               { reinterpret_cast<void*> (originals.strdup), reinterpret_cast<void*> (&countingStrDup) },
               { reinterpret_cast<void*> (originals.wcsdup), reinterpret_cast<void*> (&countingWcsDup) },
               { reinterpret_cast<void*> (originals.heapAlloc), reinterpret_cast<void*> (&countingHeapAlloc) },
               { reinterpret_cast<void*> (originals.heapReAlloc), reinterpret_cast<void*> (&countingHeapReAlloc) },
               { reinterpret_cast<void*> (originals.localAlloc), reinterpret_cast<void*> (&countingLocalAlloc) } } };
}

void redirectEntry (ULONG_PTR& entry, const std::array<Redirection, 10>& redirections)
{
    for (const auto& redirection : redirections)
    {
        if (redirection.original == nullptr || entry != reinterpret_cast<ULONG_PTR> (redirection.original))
            continue;

        DWORD protection = 0;

        if (VirtualProtect (&entry, sizeof (entry), PAGE_READWRITE, &protection))
        {
            entry = reinterpret_cast<ULONG_PTR> (redirection.counting);
            VirtualProtect (&entry, sizeof (entry), protection, &protection);
        }
    }
}

void redirectImports (HMODULE module, const std::array<Redirection, 10>& redirections)
{
    auto* base = reinterpret_cast<BYTE*> (module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*> (base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*> (base + dos->e_lfanew);
    const auto& directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];

    if (directory.VirtualAddress == 0)
        return;

    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*> (base + directory.VirtualAddress); import->Name != 0; ++import)
        for (auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*> (base + import->FirstThunk); thunk->u1.Function != 0; ++thunk)
            redirectEntry (thunk->u1.Function, redirections);
}

// Modules from the Windows folder (wine's too) are the system's: their own
// allocations are not the program's or the plug-in's.
bool isSystemModule (const wchar_t* path)
{
    wchar_t windowsFolder[MAX_PATH] {};
    const auto length = GetSystemWindowsDirectoryW (windowsFolder, MAX_PATH);
    return length > 0 && _wcsnicmp (path, windowsFolder, length) == 0;
}

void redirectLoadedModules()
{
    static const auto redirections = makeRedirections();
    auto* snapshot = CreateToolhelp32Snapshot (TH32CS_SNAPMODULE, GetCurrentProcessId());

    if (snapshot == INVALID_HANDLE_VALUE)
        return;

    MODULEENTRY32W entry {};
    entry.dwSize = sizeof (entry);

    for (auto more = Module32FirstW (snapshot, &entry); more; more = Module32NextW (snapshot, &entry))
        if (! isSystemModule (entry.szExePath))
            redirectImports (entry.hModule, redirections);

    CloseHandle (snapshot);
}
} // namespace

namespace ThreadAllocationCounter
{
Scope::Scope()
{
    if (countingSlot == TLS_OUT_OF_INDEXES)
    {
        countingSlot = TlsAlloc();
        countSlot = TlsAlloc();
    }

    redirectLoadedModules();
    TlsSetValue (countSlot, nullptr);
    TlsSetValue (countingSlot, reinterpret_cast<void*> (1));
}

Scope::~Scope() { TlsSetValue (countingSlot, nullptr); }

long long Scope::getCount() const noexcept { return (long long) reinterpret_cast<std::uintptr_t> (TlsGetValue (countSlot)); }

bool isAvailable() noexcept { return true; }
} // namespace ThreadAllocationCounter
