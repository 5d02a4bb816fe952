#include <gmock/gmock.h>

#include "framework/EmbeddedResources.h"
#include "framework/ModuleFile.h"

TEST (EmbeddedResources, FindsResourcesByNameAndTypeWithoutRegardToCase)
{
    for (const char* name : { "parameters.xml", "PARAMETERS.XML", "Parameters.Xml" })
    {
        SCOPED_TRACE (name);
        EXPECT_TRUE (EmbeddedResources::loadResourceText (name).startsWith ("<?xml"));
        EXPECT_GT (EmbeddedResources::loadResourceData (name).getSize(), 0u);
    }
}

TEST (EmbeddedResources, MissingResourcesGiveNothing)
{
    for (const char* name : { "", "parameters", "parameters.", "parameters.xm", "parameters.xml.bak", "missing.xml", ".xml" })
    {
        SCOPED_TRACE (name);
        EXPECT_TRUE (EmbeddedResources::loadResourceText (name).isEmpty());
        EXPECT_EQ (EmbeddedResources::loadResourceData (name).getSize(), 0u);
        EXPECT_FALSE (EmbeddedResources::loadResourceImage (name).isValid());
    }
}

TEST (EmbeddedResources, ImageLookupRefusesDataThatIsNoImage)
{
    EXPECT_FALSE (EmbeddedResources::loadResourceImage ("parameters.xml").isValid());
}

TEST (ModuleFile, NamesTheRunningModuleAndTheHomeFolder)
{
    // Linked statically, the module holding this code is the test program.
    EXPECT_EQ (ModuleFile::getModuleFile(),
               juce::File::getSpecialLocation (juce::File::currentExecutableFile));
    EXPECT_TRUE (ModuleFile::getModuleDirectory().isDirectory());
    EXPECT_EQ (ModuleFile::getUserHomeFolder(), juce::File ("~"));
}
