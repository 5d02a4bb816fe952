#include "framework/FileReplacer.h"

#include "framework/FileFailure.h"

#if JUCE_WINDOWS
 #ifndef NOMINMAX
  #define NOMINMAX
 #endif
 #include <windows.h>
#endif

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace
{
#if JUCE_WINDOWS
bool hasAttribute (const juce::File& file, DWORD attribute)
{
    const auto attributes = GetFileAttributesW (file.getFullPathName().toWideCharPointer());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute) != 0;
}

// Another program has the target open, or is deleting it: that passes. A
// folder in the way gives the same access error but stays.
bool mayPassSoon (DWORD error, const juce::File& target)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return true;

    return error == ERROR_ACCESS_DENIED && ! hasAttribute (target, FILE_ATTRIBUTE_DIRECTORY);
}
#endif
} // namespace

juce::Result FileReplacer::replace (const juce::File& target, const ContentWriter& writeContent)
{
    if (! target.getParentDirectory().isDirectory())
        return FileFailure::folderMissing();

    // Deletes the temporary file whatever happens; after the rename there is none.
    const juce::TemporaryFile temporary (target, temporaryFileFor (target));
    const auto written = writeTemporary (temporary.getFile(), writeContent);

    if (written.failed())
        return written;

    return renameOver (temporary.getFile(), target);
}

// A hidden file in the target's own folder, so the rename stays on one file
// system; the process id and a counter keep two writers, in one process or in
// two, from ever sharing it.
juce::File FileReplacer::temporaryFileFor (const juce::File& target)
{
    static std::atomic<int> counter { 0 };
    const auto name = "." + target.getFileName() + "-" + juce::String ((int) getpid())
                    + "-" + juce::String (++counter);
    return target.getParentDirectory().getNonexistentChildFile (name, ".tmp", false);
}

// JUCE's stream flushes to the disk (fsync, FlushFileBuffers), so a file
// renamed into place is whole also after a power cut.
juce::Result FileReplacer::writeTemporary (const juce::File& temporary, const ContentWriter& writeContent)
{
    juce::FileOutputStream out (temporary);

    if (! out.openedOk())
        return FileFailure::fromSystem (out.getStatus().getErrorMessage());

    writeContent (out);
    out.flush();

    if (out.getStatus().failed())
        return FileFailure::fromSystem (out.getStatus().getErrorMessage());

    return juce::Result::ok();
}

// On Windows the C library's rename refuses an existing target and takes
// names in the ANSI code page, so the wide call that replaces is used there.
juce::Result FileReplacer::renameOver (const juce::File& source, const juce::File& target)
{
   #if JUCE_WINDOWS
    // Windows refuses to replace a read-only file, wine does not: refused
    // here, the same everywhere, and not waited for.
    if (hasAttribute (target, FILE_ATTRIBUTE_READONLY))
    {
        SetLastError (ERROR_ACCESS_DENIED);
        return FileFailure::lastSystemError();
    }

    const auto from = source.getFullPathName();
    const auto to = target.getFullPathName();

    for (int retry = 0;; ++retry)
    {
        if (MoveFileExW (from.toWideCharPointer(), to.toWideCharPointer(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
            return juce::Result::ok();

        const auto error = GetLastError();

        if (retry == maxRetries || ! mayPassSoon (error, target))
        {
            SetLastError (error);
            return FileFailure::lastSystemError();
        }

        Sleep (retryDelayMs);
    }
   #else
    if (std::rename (source.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) == 0)
        return juce::Result::ok();

    return FileFailure::lastSystemError();
   #endif
}
