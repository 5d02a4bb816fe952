// A write the file system cuts short (a full disk, a size limit) fails with
// the system's reason and leaves the file it was to replace as it was.
#include <gtest/gtest.h>

#include "framework/FileReplacer.h"

#include <sys/resource.h>

#include <csignal>

namespace
{
// Files of this process may grow to `bytes`; a write past it fails as on a
// full disk (EFBIG instead of ENOSPC), the part before it is written.
class FileSizeLimit
{
public:
    explicit FileSizeLimit (rlim_t bytes)
    {
        getrlimit (RLIMIT_FSIZE, &before);
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = bytes;
        isSet = setrlimit (RLIMIT_FSIZE, &limit) == 0;
    }

    ~FileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &before);
        std::signal (SIGXFSZ, previousHandler);
    }

    bool isSet = false;

private:
    rlimit before {};
    void (*previousHandler) (int) = SIG_DFL;
};
} // namespace

TEST (FileReplacer, AWriteCutShortFailsAndKeepsTheOldFile)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quilvern-file-replacer-" + juce::Uuid().toString());
    ASSERT_TRUE (folder.createDirectory());
    const auto target = folder.getChildFile ("Mine.qvprsb");

    // Smaller and larger than the stream's buffer: the short write comes at
    // the last flush or in the middle.
    for (const int size : { 1000, 100000 })
    {
        SCOPED_TRACE (size);
        ASSERT_TRUE (target.replaceWithText ("the user's bank"));

        juce::Result result = juce::Result::ok();
        {
            const FileSizeLimit limit (100);
            ASSERT_TRUE (limit.isSet);
            result = FileReplacer::replace (target, [&] (juce::OutputStream& out) {
                out.writeRepeatedByte ('x', (size_t) size);
            });
        }

        EXPECT_TRUE (result.failed());
        EXPECT_EQ (result.getErrorMessage(), "File too large.");
        EXPECT_EQ (target.loadFileAsString(), "the user's bank");
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 1) << "no temporary file";
    }

    folder.deleteRecursively();
}
