#include "gui/files/FileAlerts.h"

#include "gui/look/EmbeddedFonts.h"

namespace
{
constexpr int okResult = 1;
constexpr int yesResult = 1;
} // namespace

FileAlerts::FileAlerts (juce::Component& ownerToUse, TitleSource titleToUse)
    : owner (ownerToUse), title (std::move (titleToUse))
{
}

FileAlerts::~FileAlerts() = default;

void FileAlerts::save (const juce::String& kind, const juce::File& chosen, const juce::File& target, Save saveTo)
{
    if (target == chosen || ! target.exists())
    {
        trySave (kind, target, saveTo);
        return;
    }

    onReplace = [this, kind, target, saveTo] { trySave (kind, target, saveTo); };
    question = Brannock::AlertWindow::askYesNo (title(), askToReplace (target), this);
    question->showOver (owner);
}

void FileAlerts::trySave (const juce::String& kind, const juce::File& target, const Save& saveTo)
{
    const auto result = saveTo (target);

    if (result.failed())
        tell (describeSaveFailure (kind, target, result.getErrorMessage()));
}

void FileAlerts::tellLoad (const juce::String& kind, const juce::File& file, const juce::Result& result)
{
    if (result.failed())
        tell (describeLoadFailure (kind, file, result.getErrorMessage()));
}

void FileAlerts::tell (const juce::String& message)
{
    failure = std::make_unique<Brannock::AlertWindow> (title(), message, nullptr);
    failure->addButton ("OK", okResult);
    failure->showOver (owner);
}

void FileAlerts::alertWindowFinished (Brannock::AlertWindow*, int result)
{
    // Taken first: a failure told now must not find an old question's action.
    const auto replace = std::exchange (onReplace, nullptr);

    if (result == yesResult && replace)
        replace();
}

//==============================================================================
juce::String FileAlerts::describeSaveFailure (const juce::String& kind, const juce::File& file, const juce::String& reason)
{
    return describe ("save", "in", kind, file, reason);
}

juce::String FileAlerts::describeLoadFailure (const juce::String& kind, const juce::File& file, const juce::String& reason)
{
    return describe ("load", "from", kind, file, reason);
}

// "Could not save the preset "Warm.qvprs"", the folder on a line of its own,
// then the reason.
juce::String FileAlerts::describe (const juce::String& action, const juce::String& place, const juce::String& kind,
                                   const juce::File& file, const juce::String& reason)
{
    return fitted ("Could not " + action + " the " + kind + " \"" + file.getFileName() + "\"") + "\n"
         + fitted (place + " " + file.getParentDirectory().getFullPathName() + ":") + "\n"
         + fitted (reason);
}

juce::String FileAlerts::askToReplace (const juce::File& file)
{
    return fitted ("The file \"" + file.getFileName() + "\" already exists.") + "\nDo you really want to replace it?";
}

// A line too wide for the editor loses characters in its middle, so both
// the start of a path and the file or folder at its end stay readable.
juce::String FileAlerts::fitted (const juce::String& text)
{
    const auto font = EmbeddedFonts::getTahoma (13.0f, false);
    const juce::String gap ("[...]");

    if (font.getStringWidth (text) <= maxLineWidth)
        return text;

    for (int keep = text.length() - 1; keep > 0; --keep)
    {
        const int head = (keep + 1) / 2;
        const auto shortened = text.substring (0, head) + gap + text.substring (text.length() - (keep - head));

        if (font.getStringWidth (shortened) <= maxLineWidth)
            return shortened;
    }

    return gap;
}
