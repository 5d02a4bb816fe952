#pragma once

#include "gui/windows/AlertWindow.h"

#include <functional>

// What the editor tells the user about the files they save and load, in a
// pseudo-modal alert over the editor: that a file could not be saved or
// loaded, and why; and, before a save replaces an existing file under a name
// the editor made (the right extension put on the name the user gave), the
// question the save dialog asks for the name it was given.
//
// kind names the file's kind in the texts ("preset", "preset bank", "Midi
// Control map").
class FileAlerts : private Brannock::AlertWindow::Caller
{
public:
    using TitleSource = std::function<juce::String()>;
    using Save = std::function<juce::Result (const juce::File&)>;

    // Alerts go into owner, a component inside the editor, titled with what
    // title gives when they open (the plug-in's name).
    FileAlerts (juce::Component& owner, TitleSource title);
    ~FileAlerts() override;

    // Saves to target, the file chosen with its extension put right: at once
    // when target is the file chosen or does not exist, otherwise after "Yes"
    // to the question ("No" saves nothing). A failed save is told.
    void save (const juce::String& kind, const juce::File& chosen, const juce::File& target, Save saveTo);
    // Tells a load that failed; nothing for one that worked.
    void tellLoad (const juce::String& kind, const juce::File& file, const juce::Result& result);

    // The last failure told and the last question asked, while they exist.
    Brannock::AlertWindow* getFailure() const { return failure.get(); }
    Brannock::AlertWindow* getQuestion() const { return question.get(); }

    static juce::String describeSaveFailure (const juce::String& kind, const juce::File& file, const juce::String& reason);
    static juce::String describeLoadFailure (const juce::String& kind, const juce::File& file, const juce::String& reason);
    static juce::String askToReplace (const juce::File& file);

    // Widest line of an alert's text: a docked editor's width holds the window.
    static constexpr int maxLineWidth = 540;

private:
    void alertWindowFinished (Brannock::AlertWindow* window, int result) override;
    void tell (const juce::String& message);
    void trySave (const juce::String& kind, const juce::File& target, const Save& saveTo);
    static juce::String describe (const juce::String& action, const juce::String& place, const juce::String& kind,
                                  const juce::File& file, const juce::String& reason);
    static juce::String fitted (const juce::String& text);

    juce::Component& owner;
    TitleSource title;
    // Two windows: answering the question may tell a failure while the
    // question's own window is still finishing its click.
    std::unique_ptr<Brannock::AlertWindow> failure, question;
    std::function<void()> onReplace;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileAlerts)
};
