#pragma once

#include <juce_graphics/juce_graphics.h>

// The face's knob: a dark ribbed skirt under a brushed cap with a white
// pointer, lit from the top left, and the rings drawn around it (a value
// arc or a ring of step dots). Angles are in radians from 12 o'clock,
// clockwise; the pointer travels 270 degrees.
class KnobPainter
{
public:
    static constexpr float startAngle = -0.75f * juce::MathConstants<float>::pi;
    static constexpr float endAngle = 0.75f * juce::MathConstants<float>::pi;

    static float angleFor (float proportion);
    static juce::Point<float> pointOnCircle (juce::Point<float> centre, float radius, float angle);

    static void paintKnob (juce::Graphics& g, juce::Point<float> centre, float radius, float angle);

    // A dark groove along the whole travel, lit in the accent colour from the
    // start up to the proportion.
    static void paintValueArc (juce::Graphics& g, juce::Point<float> centre, float radius, float proportion);

    // One dot per step along the travel; the current one lit.
    static void paintStepDots (juce::Graphics& g, juce::Point<float> centre, float radius, int steps, int current);

private:
    static void paintShadow (juce::Graphics& g, juce::Point<float> centre, float radius);
    static void paintSkirt (juce::Graphics& g, juce::Point<float> centre, float radius, float angle);
    static void paintCap (juce::Graphics& g, juce::Point<float> centre, float radius);
    static void paintPointer (juce::Graphics& g, juce::Point<float> centre, float radius, float angle);
    static juce::Path arc (juce::Point<float> centre, float radius, float from, float to);
};
