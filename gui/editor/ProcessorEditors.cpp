// Each processor class makes its own editor class. The processors declare
// these hooks in the model; they are defined here, with the editors, so that
// the model includes nothing of the editor.
#include "engine/Quilvern.h"
#include "gui/editor/QuilvernEditor.h"

std::unique_ptr<juce::Component> BasePlugin::createEditorComponent()
{
    return std::make_unique<BasePluginEditor> (*this);
}

std::unique_ptr<juce::Component> BasePluginOldStyle::createEditorComponent()
{
    return std::make_unique<BasePluginEditorOldStyle> (*this);
}

std::unique_ptr<juce::Component> NorvaneEffect::createEditorComponent()
{
    return std::make_unique<NorvaneEffectEditor> (*this);
}

std::unique_ptr<juce::Component> Quilvern::createEditorComponent()
{
    return std::make_unique<QuilvernEditor> (*this);
}

// The steps an editor of the chain takes once made, in start().
void BasePlugin::buildEditorComponent()
{
    if (auto* editor = dynamic_cast<BasePluginEditor*> (editorComponent.get()))
    {
        editor->buildGenericLayout();

        if (isDebugMode())
            editor->createDebugPanel();

        // Widgets take their fonts and metrics from the editor's look and feel.
        editor->sendLookAndFeelChange();
    }
}
