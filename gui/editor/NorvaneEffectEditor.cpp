#include "gui/editor/NorvaneEffectEditor.h"

#include "engine/NorvaneEffect.h"
#include "gui/controls/GFXAnimation.h"
#include "gui/editor/OldStylePresetBrowserWindow.h"

NorvaneEffectEditor::NorvaneEffectEditor (NorvaneEffect& owner)
    : BasePluginEditorOldStyle (owner), effect (owner)
{
    faceHeight = isStatusBarShown() ? getHeight() - getStatusBar().getHeight() : getHeight();
    leftMeter = dynamic_cast<GFXAnimation*> (findChildByName ("LeftVUMeter"));
    rightMeter = dynamic_cast<GFXAnimation*> (findChildByName ("RightVUMeter"));
    dockPanels();
    resized();
}

NorvaneEffectEditor::~NorvaneEffectEditor() = default;

void NorvaneEffectEditor::dockPanels()
{
    auto* browser = getPresetBrowserWindow();

    if (browser == nullptr)
        return;

    browser->setRoundedCorners (false);
    browser->setHasTitleBar (false);
    browser->setHasOutline (false);
    browser->setShadowSide (EmbeddedImages::shadowTop);
    browser->setBounds (0, faceHeight, getWidth(), dockedPanelHeight);

    auto& options = getOptionsWindow();
    options.setFlatStyle (true);
    options.setShadowSide (EmbeddedImages::shadowTop);
    options.setBounds (0, faceHeight, getWidth(), browser->getHeight());
}

void NorvaneEffectEditor::actionTriggered (GUIController* control, int eventId)
{
    if (eventId == EventsMap::options)
        togglePanel (&getOptionsWindow(), getPresetBrowserWindow());
    else if (eventId == EventsMap::browsePresets)
        togglePanel (getPresetBrowserWindow(), &getOptionsWindow());
    else
        BasePluginEditorOldStyle::actionTriggered (control, eventId);
}

void NorvaneEffectEditor::togglePanel (juce::Component* panel, juce::Component* other)
{
    if (panel == nullptr || other == nullptr || ! isStatusBarShown())
        return;

    panel->setVisible (! panel->isVisible());
    other->setVisible (false);
    setEditorSize (getWidth(), faceHeight + (panel->isVisible() ? panel->getHeight() : 0));
    getStatusBar().clear();
}

float NorvaneEffectEditor::fall (float value) noexcept
{
    return value > meterFloor ? value * meterFallFactor : 0.0f;
}

void NorvaneEffectEditor::updateDisplay()
{
    BasePluginEditorOldStyle::updateDisplay();
    const bool prepared = effect.isPrepared();

    if (prepared)
        if (auto* core = effect.getCore())
            core->getPublishedMeters (shownLeft, shownRight);

    if (leftMeter != nullptr)
        leftMeter->setFrameFromValue (shownLeft);

    if (rightMeter != nullptr)
        rightMeter->setFrameFromValue (shownRight);

    if (! prepared)
    {
        shownLeft = fall (shownLeft);
        shownRight = fall (shownRight);
    }
}
