#include "gui/windows/AboutWindow.h"

#include "gui/look/EmbeddedFonts.h"

namespace
{
constexpr int headingHeight = 84;
constexpr float nameHeight = 28.0f;
constexpr float lineHeight = 13.0f;
} // namespace

AboutWindow::AboutWindow (const Product& p)
    : product (p), notice (createNotice (p))
{
    setTitle ("About " + product.name);
    setSize (defaultWidth, defaultHeight);
    noticeText.setMultiLine (true, true);
    noticeText.setReadOnly (true);
    noticeText.setCaretVisible (false);
    noticeText.setScrollbarsShown (true);
    noticeText.setText (notice, false);
    addAndMakeVisible (noticeText);
}

juce::String AboutWindow::createNotice (const Product& p)
{
    juce::StringArray lines;
    lines.add ("Credits");
    lines.add ("");
    lines.add ("Built with JUCE (https://juce.com), copyright Raw Material Software Limited, "
               "used under the GNU General Public License, version 3.");
    lines.add ("");
    lines.add ("The text is set in Wine's Tahoma-compatible faces (tahoma.ttf and tahomabd.ttf), "
               "copyright the Wine project authors, used under the GNU Lesser General Public License, "
               "version 2.1 or later.");
    lines.add ("");
    lines.add ("Licence");
    lines.add ("");
    lines.add (p.name + " is free software: you can redistribute it and/or modify it under the terms of "
               "the GNU General Public License as published by the Free Software Foundation, either "
               "version 3 of the License, or (at your option) any later version.");
    lines.add ("");
    lines.add (p.name + " is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; "
               "without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. "
               "See the GNU General Public License for more details.");
    lines.add ("");
    lines.add ("You should have received a copy of the GNU General Public License along with "
               + p.name + ". If not, see https://www.gnu.org/licenses/.");
    return lines.joinIntoString ("\n");
}

juce::Rectangle<int> AboutWindow::getHeadingArea() const
{
    return getContentArea().removeFromTop (headingHeight);
}

void AboutWindow::positionWindow()
{
    if (auto* parent = getParentComponent())
        setSize (juce::jmin (defaultWidth, parent->getWidth()), juce::jmin (defaultHeight, parent->getHeight()));

    WindowComponent::positionWindow();
}

void AboutWindow::resized()
{
    WindowComponent::resized();
    noticeText.setBounds (getContentArea().withTrimmedTop (headingHeight));
}

void AboutWindow::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();
    noticeText.applyFontToAllText (EmbeddedFonts::getTahoma (lineHeight, false));
}

void AboutWindow::paint (juce::Graphics& g)
{
    WindowComponent::paint (g);

    auto area = getHeadingArea().reduced (4, 0);
    g.setColour (juce::Colours::black);
    g.setFont (EmbeddedFonts::getTahoma (nameHeight, true));
    g.drawText (product.name, area.removeFromTop (36), juce::Justification::centredLeft, true);
    g.setFont (EmbeddedFonts::getTahoma (lineHeight, true));
    g.drawText ("Version " + product.version, area.removeFromTop (18), juce::Justification::centredLeft, true);
    g.setFont (EmbeddedFonts::getTahoma (lineHeight, false));
    g.drawText (product.maker, area.removeFromTop (18), juce::Justification::centredLeft, true);
}
