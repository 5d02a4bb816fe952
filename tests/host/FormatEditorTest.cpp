// The editor of the VST3 and LV2 builds as JUCE's own hosting shows them: the
// plug-in's view embedded in a host window of ours under Xvfb, clicked
// through the X server, asking its host for the taller window when the
// options panel docks, closed and opened again; and the Standalone program's
// window. No X error is allowed.
#include <gmock/gmock.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include "support/FaceArt.h"
#include "support/MessagePump.h"
#include "support/X11HostWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <functional>

namespace
{
constexpr int faceWidth = 633;
constexpr int faceHeight = 223;
constexpr int dockedHeight = 479;
constexpr std::uint32_t statusBarColour = 0x444444;
constexpr int optionsButtonX = 97, optionsButtonY = 35;

const juce::File artefacts { QUILVERN_ARTEFACTS_DIR };
constexpr const char* lv2Uri = "urn:brannock-group-audio:quilvern";

// A copy of each bundle in a folder of this process, so the settings file the
// plug-in writes beside its library stays out of the build tree.
const juce::File& getCopiesFolder()
{
    static const juce::File folder = [] {
        auto f = juce::File::getSpecialLocation (juce::File::tempDirectory)
                     .getChildFile ("quilvern-format-test-" + juce::Uuid().toString());
        f.createDirectory();
        return f;
    }();
    return folder;
}

juce::File copyOf (const juce::String& relativePath)
{
    const auto source = artefacts.getChildFile (relativePath);
    const auto copy = getCopiesFolder().getChildFile (relativePath);

    if (! copy.exists())
    {
        copy.getParentDirectory().createDirectory();
        source.isDirectory() ? source.copyDirectoryTo (copy) : source.copyFileTo (copy);
    }

    return copy;
}

struct CopiesRemover : ::testing::Environment
{
    void TearDown() override { getCopiesFolder().deleteRecursively(); }
};

const auto* const copiesRemover = ::testing::AddGlobalTestEnvironment (new CopiesRemover);

bool pumpUntil (const std::function<bool()>& condition, int timeoutMs = 5000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (juce::Time::getMillisecondCounter() < end)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

        if (condition())
            return true;
    }

    return false;
}

struct Format
{
    const char* name;
    std::function<std::unique_ptr<juce::AudioPluginInstance>()> create;
};

void PrintTo (const Format& format, std::ostream* stream) { *stream << format.name; }

std::unique_ptr<juce::AudioPluginInstance> createInstance (juce::AudioPluginFormat& format, const juce::String& identifier)
{
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, identifier);

    if (found.isEmpty())
        return {};

    juce::String error;
    return format.createInstanceFromDescription (*found[0], 44100.0, 256, error);
}

std::unique_ptr<juce::AudioPluginInstance> createVst3()
{
    juce::VST3PluginFormat format;
    return createInstance (format, copyOf ("VST3/Quilvern.vst3").getFullPathName());
}

std::unique_ptr<juce::AudioPluginInstance> createLv2()
{
    juce::LV2PluginFormat format;
    const auto bundle = copyOf ("LV2/Quilvern.lv2");
    const auto uris = format.searchPathsForPlugins (juce::FileSearchPath (bundle.getParentDirectory().getFullPathName()),
                                                    false, false);

    return uris.contains (lv2Uri) ? createInstance (format, lv2Uri) : nullptr;
}

// Debian's JUCE puts the product name in place of the URI the build asks
// for unless the build defines it itself (ours does); no host could then
// instantiate the plug-in, whose manifest names a relative URI its library
// does not answer.
bool lv2BundleNamesItsUri()
{
    const auto manifest = copyOf ("LV2/Quilvern.lv2").getChildFile ("manifest.ttl").loadFileAsString();
    return manifest.contains (juce::String ("<") + lv2Uri + ">");
}

class FormatEditorFixture : public ::testing::Test
{
protected:
    virtual const Format& format() const = 0;

    void SetUp() override
    {
        window = std::make_unique<X11HostWindow> (faceWidth, faceHeight);
        ASSERT_TRUE (window->isOpen()) << "no X display";
        // Our own host windows are JUCE's too: they need the atoms as the
        // plug-in's do, before JUCE opens the display.
        X11HostWindow::createWindowManagerAtoms();
        errorsBefore = X11HostWindow::getErrorCount();

        instance = format().create();

        if (instance == nullptr && juce::String (format().name) == "LV2")
            ASSERT_TRUE (lv2BundleNamesItsUri()) << "the LV2 bundle's manifest does not name " << lv2Uri;

        ASSERT_NE (instance, nullptr) << "cannot load the " << format().name << " build";
        instance->prepareToPlay (44100.0, 256);
    }

    void TearDown() override
    {
        closeEditor();

        if (instance != nullptr)
            instance->releaseResources();

        instance.reset();
        MessagePump::deliverPosted();
        EXPECT_EQ (X11HostWindow::getErrorCount(), errorsBefore) << X11HostWindow::getLastError();
    }

    void openEditor()
    {
        editor.reset (instance->createEditorIfNeeded());
        ASSERT_NE (editor, nullptr);
        editor->setVisible (true);
        editor->addToDesktop (0, reinterpret_cast<void*> (window->getWindowId()));
        window->resize (editor->getWidth(), editor->getHeight());
    }

    void closeEditor()
    {
        if (editor == nullptr)
            return;

        // JUCE's X embedding answers the plug-in window's configure events
        // with a call posted to itself; one still queued when the host's
        // window goes would run on the deleted window.
        MessagePump::deliverPosted();
        editor.reset();
        pumpUntil ([this] { return window->getNumChildren() == 0; });
    }

    // Then what the resize posted is delivered: deleting JUCE's VST3 host
    // window with it still queued was seen to leave a message for a deleted
    // object in the host's own queue.
    bool editorHasSize (int width, int height)
    {
        const bool reached = pumpUntil ([&] { return editor->getWidth() == width && editor->getHeight() == height; });
        MessagePump::deliverPosted();
        return reached;
    }

    bool showsStatusBarAbove (int height)
    {
        return pumpUntil ([&] { return window->pixelAt (10, height - 8) == statusBarColour; });
    }

    std::unique_ptr<X11HostWindow> window;
    std::unique_ptr<juce::AudioPluginInstance> instance;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    int errorsBefore = 0;
};

class FormatEditorTest : public FormatEditorFixture, public ::testing::WithParamInterface<Format>
{
protected:
    const Format& format() const override { return GetParam(); }
};
} // namespace

TEST_P (FormatEditorTest, OpensDrawsDocksThePanelThroughTheHostAndReopensWithIt)
{
    openEditor();
    EXPECT_TRUE (editorHasSize (faceWidth, faceHeight));
    ASSERT_TRUE (showsStatusBarAbove (faceHeight)) << "the editor was never drawn";

    window->click (optionsButtonX, optionsButtonY);
    EXPECT_TRUE (editorHasSize (faceWidth, dockedHeight)) << "the host's view never followed the docked panel";
    window->resize (editor->getWidth(), editor->getHeight());
    EXPECT_TRUE (showsStatusBarAbove (dockedHeight));

    closeEditor();
    openEditor();
    EXPECT_TRUE (editorHasSize (faceWidth, dockedHeight)) << "the panel did not stay open";
    EXPECT_TRUE (showsStatusBarAbove (dockedHeight));

    window->click (optionsButtonX, optionsButtonY);
    EXPECT_TRUE (editorHasSize (faceWidth, faceHeight));
}

INSTANTIATE_TEST_SUITE_P (Formats, FormatEditorTest,
                          ::testing::Values (Format { "VST3", createVst3 }, Format { "LV2", createLv2 }),
                          [] (const auto& info) { return std::string (info.param.name); });

namespace
{
struct FormatAtScale
{
    Format format;
    float scale;
};

void PrintTo (const FormatAtScale& p, std::ostream* stream) { *stream << p.format.name << " at " << p.scale; }

// The host's scale through JUCE's hosting: VST3's setContentScaleFactor, and
// LV2's ui:scaleFactor sent through the UI's options interface.
class FormatEditorScaleTest : public FormatEditorFixture, public ::testing::WithParamInterface<FormatAtScale>
{
protected:
    const Format& format() const override { return GetParam().format; }

    static int scaled (int size, float scale) { return juce::roundToInt ((float) size * scale); }
};
} // namespace

TEST_P (FormatEditorScaleTest, TheViewTakesTheHostsScaleAndDrawsTheArtOfThatScale)
{
    const float scale = GetParam().scale;
    openEditor();
    editor->setScaleFactor (scale);
    const auto sizeNear = [&] (int width, int height) {
        return pumpUntil ([&] { return std::abs (editor->getWidth() - scaled (width, scale)) <= 1
                                       && std::abs (editor->getHeight() - scaled (height, scale)) <= 1; });
    };

    ASSERT_TRUE (sizeNear (faceWidth, faceHeight)) << editor->getWidth() << " x " << editor->getHeight();
    window->resize (editor->getWidth(), editor->getHeight());
    ASSERT_TRUE (showsStatusBarAbove (editor->getHeight())) << "the editor was never drawn";
    const auto view = window->getInnermostChildSize();
    EXPECT_EQ (view.width, editor->getWidth()) << "the plug-in's window and the host's disagree";
    EXPECT_EQ (view.height, editor->getHeight());

    const auto area = FaceArt::knobArea;
    const auto seen = window->capture (scaled (area.getX(), scale), scaled (area.getY(), scale),
                                       scaled (area.getWidth(), scale), scaled (area.getHeight(), scale));
    EXPECT_GT (FaceArt::bestShareMatching (seen, scale, 3), 0.97)
        << "the knob and the face around it are not the art of this scale";

    window->click (scaled (optionsButtonX, scale), scaled (optionsButtonY, scale));
    EXPECT_TRUE (sizeNear (faceWidth, dockedHeight)) << "the host's view never followed the docked panel";
    pumpUntil ([] { return false; }, 100);
    const auto docked = window->getInnermostChildSize();
    EXPECT_EQ (docked.height, editor->getHeight());
}

INSTANTIATE_TEST_SUITE_P (Scales, FormatEditorScaleTest,
                          ::testing::Values (FormatAtScale { { "VST3", createVst3 }, 1.5f },
                                             FormatAtScale { { "VST3", createVst3 }, 2.0f },
                                             FormatAtScale { { "LV2", createLv2 }, 1.5f },
                                             FormatAtScale { { "LV2", createLv2 }, 2.0f }),
                          [] (const auto& info) {
                              return std::string (info.param.format.name) + "Scale"
                                   + std::to_string (juce::roundToInt (info.param.scale * 10));
                          });

namespace
{
// The pixels of one colour in a window, or none while it is not viewable.
int countPixelsOfColour (Display* display, ::Window window, std::uint32_t colour)
{
    XWindowAttributes attributes {};

    if (XGetWindowAttributes (display, window, &attributes) == 0 || attributes.map_state != IsViewable)
        return 0;

    auto* image = XGetImage (display, window, 0, 0, (unsigned) attributes.width, (unsigned) attributes.height,
                             AllPlanes, ZPixmap);

    if (image == nullptr)
        return 0;

    int count = 0;

    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            count += ((XGetPixel (image, x, y) & 0xffffffu) == colour) ? 1 : 0;

    XDestroyImage (image);
    return count;
}

// The same in every top-level window of the display.
int countPixelsOfColourOnScreen (Display* display, std::uint32_t colour)
{
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count);
    int pixels = 0;

    for (unsigned int i = 0; i < count; ++i)
        pixels += countPixelsOfColour (display, children[i], colour);

    if (children != nullptr)
        XFree (children);

    return pixels;
}
} // namespace

// The Standalone program opens its window with the editor in it and draws
// the status bar across the editor's width. Its own settings go to a home
// folder of the test's.
TEST (StandaloneEditor, OpensItsWindowWithTheEditorDrawn)
{
    X11HostWindow hostConnection (1, 1);
    ASSERT_TRUE (hostConnection.isOpen()) << "no X display";
    auto* display = XOpenDisplay (nullptr);
    ASSERT_NE (display, nullptr);

    const auto program = copyOf ("Standalone/Quilvern");
    program.setExecutePermission (true);
    const auto home = getCopiesFolder().getChildFile ("home");
    home.createDirectory();
    juce::ChildProcess standalone;
    ASSERT_TRUE (standalone.start (juce::StringArray { "/usr/bin/env", "HOME=" + home.getFullPathName(),
                                                       "XDG_CONFIG_HOME=" + home.getFullPathName(),
                                                       program.getFullPathName() },
                                   0));

    const bool drawn = pumpUntil ([&] { return countPixelsOfColourOnScreen (display, statusBarColour) >= faceWidth * 12; },
                                  10000);

    EXPECT_TRUE (standalone.isRunning()) << standalone.readAllProcessOutput();
    EXPECT_TRUE (drawn) << "no window with the editor's status bar";
    standalone.kill();
    XCloseDisplay (display);
}
