#include <gmock/gmock.h>

#include "framework/EmbeddedResources.h"

// The default preset gives every parameter its description default, except
// "FX", which is fully wet.
TEST (DefaultPresetResource, HoldsEveryParameterInIdOrder)
{
    auto preset = juce::parseXML (EmbeddedResources::loadResourceText ("default.qvprs"));
    auto description = juce::parseXML (EmbeddedResources::loadResourceText ("parameters.xml"));
    ASSERT_NE (preset, nullptr);
    ASSERT_NE (description, nullptr);

    EXPECT_EQ (preset->getTagName(), "Preset");
    EXPECT_EQ (preset->getStringAttribute ("application"), "Quilvern");
    EXPECT_EQ (preset->getStringAttribute ("name"), "empty");
    EXPECT_EQ (preset->getStringAttribute ("rev"), "1");
    ASSERT_EQ (preset->getNumChildElements(), 16);

    for (int id = 0; id < 16; ++id)
    {
        auto* param = preset->getChildElement (id);
        auto* described = description->getChildByAttribute ("index", juce::String (id));
        ASSERT_NE (described, nullptr);
        SCOPED_TRACE (described->getStringAttribute ("name"));

        EXPECT_EQ (param->getTagName(), "param");
        EXPECT_EQ (param->getStringAttribute ("name"), described->getStringAttribute ("name"));
        const double expected = id == 10 ? 1.0 : described->getDoubleAttribute ("value");
        EXPECT_EQ (param->getDoubleAttribute ("value"), expected);
    }
}
