// The editor as a bare VST 2.4 host on Linux shows it: an X window of the
// host's own whose id goes to effEditOpen, effEditIdle pumped, the size
// requests of audioMasterSizeWindow followed, and no X error allowed.
#include <gmock/gmock.h>
#include <juce_graphics/juce_graphics.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include "support/FaceArt.h"
#include "support/LibraryCopy.h"
#include "support/X11HostWindow.h"

#include <dlfcn.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace
{
constexpr int faceWidth = 633;
constexpr int faceHeight = 223;
constexpr int dockedHeight = 479;
constexpr std::uint32_t statusBarColour = 0x444444;
constexpr std::uint32_t panelColour = 0xC5C5C5;
constexpr int blockSize = 256;
constexpr float sampleRate = 44100.0f;

// Where the product's skin puts what the tests touch.
constexpr int optionsButtonX = 97, optionsButtonY = 35;
constexpr int nameDisplayX = 200, nameDisplayY = 34;
constexpr int meterX = 559, meterY = 99, meterWidth = 26, meterHeight = 89;

using Size = std::pair<int, int>;

struct HostSide
{
    std::vector<Size> sizeRequests;
    X11HostWindow* window = nullptr;
};

HostSide hostSide;

VstIntPtr hostCallback (AEffect*, int opcode, int index, VstIntPtr value, void* ptr, float)
{
    switch (opcode)
    {
        case audioMasterVersion:
            return 2400;

        case audioMasterCanDo:
            return ptr != nullptr && std::strcmp (static_cast<const char*> (ptr), "sizeWindow") == 0 ? 1 : 0;

        case audioMasterSizeWindow:
            hostSide.sizeRequests.emplace_back (index, (int) value);

            if (hostSide.window != nullptr)
                hostSide.window->resize (index, (int) value);

            return 1;

        default:
            return 0;
    }
}

AEffect* openEffect()
{
    using EntryPoint = AEffect* (*) (audioMasterCallback);
    static void* library = dlopen (LibraryCopy::get().getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
    auto entryPoint = library != nullptr ? reinterpret_cast<EntryPoint> (dlsym (library, "VSTPluginMain")) : nullptr;
    return entryPoint != nullptr ? entryPoint (&hostCallback) : nullptr;
}

class Vst2EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<X11HostWindow> (640, 480);
        ASSERT_TRUE (window->isOpen()) << "no X display";
        hostSide = {};
        hostSide.window = window.get();
        errorsBefore = X11HostWindow::getErrorCount();

        effect = openEffect();
        ASSERT_NE (effect, nullptr);
        dispatch (effOpen);
        dispatch (effSetSampleRate, 0, 0, nullptr, sampleRate);
        dispatch (effSetBlockSize, 0, blockSize);
        dispatch (effMainsChanged, 0, 1);
    }

    void TearDown() override
    {
        if (effect != nullptr)
        {
            if (editorOpen)
                closeEditor();

            dispatch (effMainsChanged, 0, 0);
            dispatch (effClose);
        }

        hostSide.window = nullptr;
        EXPECT_EQ (X11HostWindow::getErrorCount(), errorsBefore) << X11HostWindow::getLastError();
    }

    VstIntPtr dispatch (int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher (effect, opcode, index, value, ptr, opt);
    }

    Size getEditorRect()
    {
        ERect* rect = nullptr;
        dispatch (effEditGetRect, 0, 0, &rect);
        return rect != nullptr ? Size (rect->right - rect->left, rect->bottom - rect->top) : Size();
    }

    void openEditor()
    {
        const auto size = getEditorRect();
        window->resize (size.first, size.second);
        ASSERT_EQ (dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (window->getWindowId())), 1);
        editorOpen = true;
    }

    void closeEditor()
    {
        dispatch (effEditClose);
        editorOpen = false;
        idleUntil ([this] { return window->getNumChildren() == 0; });
    }

    // The host's idle loop: the plug-in's idle call, then the host's own
    // X events, a few times a second more often than hosts do.
    void idleOnce()
    {
        dispatch (effEditIdle);
        window->processEvents();
        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }

    void idleFor (int milliseconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (milliseconds);

        while (std::chrono::steady_clock::now() < end)
            idleOnce();
    }

    bool idleUntil (const std::function<bool()>& condition, int timeoutMs = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs);

        while (std::chrono::steady_clock::now() < end)
        {
            idleOnce();

            if (condition())
                return true;
        }

        return false;
    }

    bool showsColourAt (int x, int y, std::uint32_t colour)
    {
        return idleUntil ([&] { return window->pixelAt (x, y) == colour; });
    }

    // One block of a loud sine through the effect, as the host's audio
    // callback would send it.
    void processBlock()
    {
        std::vector<float> left (blockSize), right (blockSize);

        for (int i = 0; i < blockSize; ++i)
            left[(size_t) i] = right[(size_t) i] = 0.8f * std::sin (0.05f * (float) (samplesProcessed + i));

        samplesProcessed += blockSize;
        float* channels[] = { left.data(), right.data() };
        effect->processReplacing (effect, channels, channels, blockSize);
    }

    juce::String getCurrentPresetName()
    {
        void* data = nullptr;
        const auto size = (size_t) dispatch (effGetChunk, 1, 0, &data);

        if (data == nullptr || size <= 10)
            return {};

        const auto length = (int) juce::ByteOrder::littleEndianInt (static_cast<const char*> (data) + 4);
        const auto xml = juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (data) + 8, length));
        return xml != nullptr ? xml->getStringAttribute ("name") : juce::String();
    }

    std::unique_ptr<X11HostWindow> window;
    AEffect* effect = nullptr;
    bool editorOpen = false;
    int errorsBefore = 0;
    int samplesProcessed = 0;
};

// The share of the face's pixels that show the background picture itself.
double shareMatchingBackground (const std::vector<std::uint32_t>& face)
{
    const auto background = juce::ImageFileFormat::loadFrom (juce::File (QUILVERN_SOURCE_DIR).getChildFile ("resources/Background.png"));

    if (! background.isValid() || face.size() != (size_t) (background.getWidth() * background.getHeight()))
        return 0.0;

    size_t matching = 0;

    for (int y = 0; y < background.getHeight(); ++y)
        for (int x = 0; x < background.getWidth(); ++x)
            if ((background.getPixelAt (x, y).getARGB() & 0xffffffu) == face[(size_t) (y * background.getWidth() + x)])
                ++matching;

    return (double) matching / (double) face.size();
}
} // namespace

TEST_F (Vst2EditorTest, OpensDrawsFollowsTheDockedPanelAndReopensWithItsState)
{
    EXPECT_EQ (getEditorRect(), Size (faceWidth, faceHeight));
    openEditor();
    EXPECT_EQ (window->getNumChildren(), 1);

    ASSERT_TRUE (showsColourAt (10, faceHeight - 8, statusBarColour)) << "the status bar was never drawn";
    EXPECT_GT (shareMatchingBackground (window->capture (0, 0, faceWidth, faceHeight - 16)), 0.6);

    // "Options" opens the docked panel below the face: the host is asked
    // for the taller window and the editor's rectangle follows. (JUCE's
    // wrapper asks once more when its own window has taken the new size.)
    window->click (optionsButtonX, optionsButtonY);
    ASSERT_TRUE (idleUntil ([] { return ! hostSide.sizeRequests.empty(); }));
    idleUntil ([] { return hostSide.sizeRequests.size() >= 2; });
    EXPECT_THAT (hostSide.sizeRequests, ::testing::Each (Size (faceWidth, dockedHeight)));
    EXPECT_EQ (getEditorRect(), Size (faceWidth, dockedHeight));
    EXPECT_EQ (window->getSize().height, dockedHeight);
    EXPECT_TRUE (showsColourAt (faceWidth / 2, 445, panelColour)) << "the options panel was never drawn";
    EXPECT_TRUE (showsColourAt (10, dockedHeight - 8, statusBarColour));

    closeEditor();
    EXPECT_EQ (window->getNumChildren(), 0);

    // Reopened, it is the same editor with its panel still open.
    EXPECT_EQ (getEditorRect(), Size (faceWidth, dockedHeight));
    openEditor();
    EXPECT_TRUE (showsColourAt (faceWidth / 2, 445, panelColour));

    hostSide.sizeRequests.clear();
    window->click (optionsButtonX, optionsButtonY);
    ASSERT_TRUE (idleUntil ([] { return ! hostSide.sizeRequests.empty(); }));
    idleUntil ([] { return hostSide.sizeRequests.size() >= 2; });
    EXPECT_THAT (hostSide.sizeRequests, ::testing::Each (Size (faceWidth, faceHeight)));
    EXPECT_EQ (getEditorRect(), Size (faceWidth, faceHeight));
}

TEST_F (Vst2EditorTest, MetersRunWhileAudioIsProcessedAndFallAfterSuspend)
{
    openEditor();
    ASSERT_TRUE (idleUntil ([&] { return shareMatchingBackground (window->capture (0, 0, faceWidth, faceHeight - 16)) > 0.6; }))
        << "the face was never drawn";
    const auto atRest = window->capture (meterX, meterY, meterWidth, meterHeight);

    const bool moved = idleUntil ([&] {
        processBlock();
        return window->capture (meterX, meterY, meterWidth, meterHeight) != atRest;
    });
    EXPECT_TRUE (moved) << "the meter never showed the audio";

    dispatch (effMainsChanged, 0, 0);
    EXPECT_TRUE (idleUntil ([&] { return window->capture (meterX, meterY, meterWidth, meterHeight) == atRest; }))
        << "the meter did not fall back after the effect was suspended";
    dispatch (effMainsChanged, 0, 1);
}

TEST_F (Vst2EditorTest, TypingIntoThePresetNameRenamesThePreset)
{
    const auto before = getCurrentPresetName();
    openEditor();
    ASSERT_TRUE (showsColourAt (10, faceHeight - 8, statusBarColour));
    const auto nameShown = window->capture (nameDisplayX - 40, nameDisplayY - 6, 80, 12);

    window->click (nameDisplayX, nameDisplayY);
    ASSERT_TRUE (idleUntil ([&] { return window->capture (nameDisplayX - 40, nameDisplayY - 6, 80, 12) != nameShown; }))
        << "no text editor opened on the name";

    for (const char character : juce::String ("Xy"))
        window->typeCharacter (character);

    window->pressKey (0xff0d); // Return
    EXPECT_TRUE (idleUntil ([&] { return getCurrentPresetName() == before + "Xy"; }))
        << "the name is " << getCurrentPresetName();
}

TEST_F (Vst2EditorTest, OpeningAndClosingAHundredTimesLeavesNothingBehind)
{
    const auto cycle = [this]
    {
        openEditor();
        EXPECT_TRUE (showsColourAt (10, faceHeight - 8, statusBarColour));
        dispatch (effEditClose);
        editorOpen = false;
        idleUntil ([this] { return window->getNumChildren() == 0; });
    };

    // The first openings fill JUCE's caches and pools.
    for (int i = 0; i < 20; ++i)
        cycle();

    const auto heapBefore = mallinfo2().uordblks;

    for (int i = 0; i < 100; ++i)
        cycle();

    // What JUCE holds for pending messages and timers goes up and down by
    // a kilobyte or so while idling, more on a busy machine: the least the
    // heap holds over a second of idling is what stays behind.
    auto heapAfter = mallinfo2().uordblks;
    for (int i = 0; i < 20 && heapAfter > heapBefore; ++i)
    {
        idleFor (50);
        heapAfter = std::min (heapAfter, mallinfo2().uordblks);
    }

    EXPECT_EQ (window->getNumChildren(), 0);
    // JUCE's window colormaps alone, unfreed, would be 64 bytes a time; what
    // JUCE's threads and queues hold varies by about 2 KB from run to run.
    EXPECT_LT ((long long) heapAfter - (long long) heapBefore, 4 * 1024)
        << "heap in use grew from " << heapBefore << " to " << heapAfter << " bytes";
}

// The editor drawn at a scale: the editor's rectangle, the plug-in's X
// window and every size request are the scaled ones, and the face is drawn
// from the art at that scale, not blown up from 1x.
class Vst2ScaledEditorTest : public Vst2EditorTest
{
protected:
    static Size scaled (int width, int height, float scale)
    {
        return { juce::roundToInt ((float) width * scale), juce::roundToInt ((float) height * scale) };
    }

    // Within a pixel: JUCE rounds a half pixel up.
    static ::testing::Matcher<Size> near (Size size)
    {
        using ::testing::AllOf;
        using ::testing::Field;
        using ::testing::Ge;
        using ::testing::Le;
        return AllOf (Field (&Size::first, AllOf (Ge (size.first - 1), Le (size.first + 1))),
                      Field (&Size::second, AllOf (Ge (size.second - 1), Le (size.second + 1))));
    }

    void expectTheFaceAt (float scale)
    {
        const auto face = getEditorRect();
        EXPECT_THAT (face, near (scaled (faceWidth, faceHeight, scale)));
        openEditor();
        ASSERT_TRUE (showsColourAt (10, face.second - (int) (8 * scale), statusBarColour)) << "the editor was never drawn";
        const auto view = window->getInnermostChildSize();
        EXPECT_EQ (Size (view.width, view.height), face) << "the plug-in's window and the host's disagree";

        const auto area = FaceArt::knobArea;
        const auto seen = window->capture (juce::roundToInt ((float) area.getX() * scale), juce::roundToInt ((float) area.getY() * scale),
                                           juce::roundToInt ((float) area.getWidth() * scale),
                                           juce::roundToInt ((float) area.getHeight() * scale));
        EXPECT_GT (FaceArt::bestShareMatching (seen, scale, 3), 0.97)
            << "the knob and the face around it are not the art of this scale";

        window->click (juce::roundToInt (optionsButtonX * scale), juce::roundToInt (optionsButtonY * scale));
        ASSERT_TRUE (idleUntil ([] { return ! hostSide.sizeRequests.empty(); })) << "the click on Options missed";
        idleFor (100);
        EXPECT_THAT (hostSide.sizeRequests, ::testing::Each (near (scaled (faceWidth, dockedHeight, scale))));
        EXPECT_EQ (getEditorRect(), hostSide.sizeRequests.back());
        const auto docked = window->getInnermostChildSize();
        EXPECT_EQ (Size (docked.width, docked.height), hostSide.sizeRequests.back());
    }
};

// A VST 2.4 host's content-scale request (effVendorSpecific 'PreS' 'AeCs'
// with the scale), as REAPER and others send it.
class Vst2ContentScaleTest : public Vst2ScaledEditorTest, public ::testing::WithParamInterface<float>
{
};

TEST_P (Vst2ContentScaleTest, TheEditorTakesTheHostsScaleAndDrawsTheArtOfThatScale)
{
    const auto preS = (int) juce::ByteOrder::bigEndianInt ("PreS");
    const auto aeCs = (VstIntPtr) juce::ByteOrder::bigEndianInt ("AeCs");
    EXPECT_EQ (dispatch (effVendorSpecific, preS, aeCs, nullptr, GetParam()), 1);
    expectTheFaceAt (GetParam());
}

INSTANTIATE_TEST_SUITE_P (Scales, Vst2ContentScaleTest, ::testing::Values (1.0f, 1.5f, 2.0f),
                          [] (const auto& info) { return "Scale" + std::to_string (juce::roundToInt (info.param * 10)); });

// A host that passes no scale, on a desktop whose XSETTINGS ask for 2x (a
// GNOME-style session at 200 %): the editor takes the desktop's scale. Only
// on a display of the test's own, since every program there reads them.
class Vst2EditorOn2xDesktop : public Vst2ScaledEditorTest
{
protected:
    void SetUp() override
    {
        if (std::getenv ("QUILVERN_OWN_X_DISPLAY") == nullptr)
            GTEST_SKIP() << "changes the desktop's scale: needs an X display of its own";

        // Before the plug-in opens its own connection to the display.
        X11HostWindow::publishDesktopScale (2);
        Vst2ScaledEditorTest::SetUp();
    }
};

TEST_F (Vst2EditorOn2xDesktop, TheEditorTakesTheDesktopsScale)
{
    expectTheFaceAt (2.0f);
}
