#include "gui/controls/GFXAnimation.h"

#include "gui/skin/FilmStrip.h"

GFXAnimation::GFXAnimation (const juce::String& name)
    : juce::Component (name)
{
}

GFXAnimation::~GFXAnimation()
{
    stopTimer();
}

void GFXAnimation::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::loadFromXml (element, parameters, events, editor);
    currentFrame = 0;
    applyStoredBounds();
}

void GFXAnimation::parameterValueChanged (Parameter* parameter)
{
    setFrameFromValue (parameter->getNormalizedValue());
}

int GFXAnimation::getShownFrame() const
{
    return isEnabled() && ! isInBlinkOffPhase() ? currentFrame : 0;
}

void GFXAnimation::setFrameFromValue (float value)
{
    setFrame (FilmStrip::frameForValue (juce::jlimit (0.0f, 1.0f, value), getNumFrames()));
}

void GFXAnimation::setFrame (int frame)
{
    frame = juce::jlimit (0, getNumFrames() - 1, frame);

    if (frame != currentFrame)
    {
        currentFrame = frame;
        repaint();
    }
}

void GFXAnimation::flash (int frame, int milliseconds)
{
    setFrame (frame);
    startTimer (milliseconds);
}

void GFXAnimation::paint (juce::Graphics& g)
{
    if (hasImage())
        drawShownFrame (g);
    else
        paintFallback (g);
}

void GFXAnimation::sizeChanged()
{
    setSize (storedWidth, storedHeight);
}

void GFXAnimation::positionChanged()
{
    setTopLeftPosition (storedLeft, storedTop);
}

void GFXAnimation::blinkPhaseChanged()
{
    repaint();
}

void GFXAnimation::timerCallback()
{
    stopTimer();
    setFrame (restFrame);
}

// A light grey square with a black dot that grows with the frame.
void GFXAnimation::paintFallback (juce::Graphics& g)
{
    const int side = 16;
    const juce::Rectangle<int> square (juce::jmax (0, (getWidth() - side) / 2), juce::jmax (0, (getHeight() - side) / 2),
                                       side, side);
    const int lastFrame = getNumFrames() - 1;
    const float diameter = lastFrame > 0 ? (float) getShownFrame() / (float) lastFrame * 10.0f : 0.0f;

    g.setColour (juce::Colour (0xffe5e5e5));
    g.fillRect (square);
    g.setColour (juce::Colours::black);
    g.drawRect (square, 1);
    g.fillEllipse (juce::Rectangle<float> (diameter, diameter).withCentre (square.toFloat().getCentre()));
}
