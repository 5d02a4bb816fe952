// The LV2 build's UI the way a Linux LV2 host without JUCE shows it: the
// plug-in and its UI instantiated from the bundle's library, the UI given an
// X window of the test's as ui:parent, its size requests (ui:resize)
// followed, its idle interface called. With ui:scaleFactor among the UI's
// options, and without one on a desktop whose XSETTINGS ask for 2x, as
// Debian's jalv 1.6.6 on a GNOME desktop at 200 % shows it: its GTK window
// (through suil) takes the size the UI asks for in the desktop's logical
// pixels, twice as many physical ones, and gives the UI's window the same
// number of physical pixels, which the UI must take back.
#include <gmock/gmock.h>
#include <juce_graphics/juce_graphics.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include "support/UridMap.h"

#include "support/FaceArt.h"
#include "support/X11HostWindow.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr int faceWidth = 633, faceHeight = 223, dockedHeight = 479;
constexpr int optionsButtonX = 97, optionsButtonY = 35;
constexpr std::uint32_t statusBarColour = 0x444444;
constexpr const char* pluginUri = "urn:brannock-group-audio:quilvern";

using Size = std::pair<int, int>;

// The built bundle copied into a folder of the test's: the plug-in writes
// its settings file beside its library.
juce::File copyBundle()
{
    const auto copy = juce::File::getSpecialLocation (juce::File::tempDirectory)
                          .getChildFile ("quilvern-lv2-ui-test-" + juce::Uuid().toString())
                          .getChildFile ("Quilvern.lv2");
    copy.getParentDirectory().createDirectory();
    juce::File (QUILVERN_ARTEFACTS_DIR).getChildFile ("LV2/Quilvern.lv2").copyDirectoryTo (copy);
    return copy;
}

class Lv2UiHost
{
public:
    // A host window scale of 2 makes the window twice the size asked for, as
    // a GTK host's on a desktop at 200 %, and the UI's window the size asked
    // for, as suil does.
    explicit Lv2UiHost (std::optional<float> scaleFactor, int hostWindowScale = 1)
        : window (faceWidth, faceHeight), windowScale (hostWindowScale)
    {
        library = dlopen (bundle.getChildFile ("libQuilvern.so").getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);

        if (library == nullptr)
            return;

        X11HostWindow::createWindowManagerAtoms();
        const auto bundlePath = bundle.getFullPathName() + "/";

        auto* pluginDescriptor = reinterpret_cast<LV2_Descriptor_Function> (dlsym (library, "lv2_descriptor")) (0);
        blockLength = 512;
        const LV2_Options_Option pluginOptions[] = {
            { LV2_OPTIONS_INSTANCE, 0, urids (LV2_BUF_SIZE__maxBlockLength), sizeof (int32_t), urids (LV2_ATOM__Int), &blockLength },
            { LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr },
        };
        const LV2_Feature mapFeature { LV2_URID__map, urids.get() };
        const LV2_Feature boundedFeature { LV2_BUF_SIZE__boundedBlockLength, nullptr };
        const LV2_Feature optionsFeature { LV2_OPTIONS__options, const_cast<LV2_Options_Option*> (pluginOptions) };
        const LV2_Feature* pluginFeatures[] = { &mapFeature, &boundedFeature, &optionsFeature, nullptr };
        plugin = pluginDescriptor->instantiate (pluginDescriptor, 48000.0, bundlePath.toRawUTF8(), pluginFeatures);
        cleanupPlugin = pluginDescriptor->cleanup;

        if (plugin == nullptr)
            return;

        uiDescriptor = reinterpret_cast<LV2UI_DescriptorFunction> (dlsym (library, "lv2ui_descriptor")) (0);
        std::vector<LV2_Options_Option> uiOptions;
        scale = scaleFactor.value_or (0.0f);

        if (scaleFactor.has_value())
            uiOptions.push_back ({ LV2_OPTIONS_INSTANCE, 0, urids (LV2_UI__scaleFactor), sizeof (float), urids (LV2_ATOM__Float), &scale });

        uiOptions.push_back ({ LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr });
        const LV2_Feature parentFeature { LV2_UI__parent, reinterpret_cast<void*> (window.getWindowId()) };
        const LV2_Feature resizeFeature { LV2_UI__resize, &resize };
        const LV2_Feature instanceFeature { LV2_INSTANCE_ACCESS_URI, plugin };
        const LV2_Feature idleFeature { LV2_UI__idleInterface, nullptr };
        const LV2_Feature uiOptionsFeature { LV2_OPTIONS__options, uiOptions.data() };
        const LV2_Feature* uiFeatures[] = { &mapFeature, &parentFeature, &resizeFeature, &instanceFeature,
                                            &idleFeature, &uiOptionsFeature, nullptr };
        LV2UI_Widget widget = nullptr;
        ui = uiDescriptor->instantiate (uiDescriptor, pluginUri, bundlePath.toRawUTF8(), [] (auto...) {}, nullptr,
                                        &widget, uiFeatures);

        if (ui != nullptr)
        {
            idle = static_cast<const LV2UI_Idle_Interface*> (uiDescriptor->extension_data (LV2_UI__idleInterface));
            options = static_cast<const LV2_Options_Interface*> (uiDescriptor->extension_data (LV2_OPTIONS__interface));
        }
    }

    ~Lv2UiHost()
    {
        if (ui != nullptr)
            uiDescriptor->cleanup (ui);

        if (plugin != nullptr)
            cleanupPlugin (plugin);

        bundle.getParentDirectory().deleteRecursively();
    }

    bool isOpen() const { return ui != nullptr && idle != nullptr; }

    bool idleUntil (const std::function<bool()>& condition, int timeoutMs = 5000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs);

        while (std::chrono::steady_clock::now() < end)
        {
            if (pendingChildSize.has_value())
                window.resizeChildren (pendingChildSize->first, pendingChildSize->second);

            pendingChildSize.reset();
            idle->idle (ui);
            window.processEvents();
            std::this_thread::sleep_for (std::chrono::milliseconds (5));

            if (condition())
                return true;
        }

        return false;
    }

    // The host changes the scale while the UI is open (LV2's options interface).
    void sendScaleFactor (float newScale)
    {
        scale = newScale;
        const LV2_Options_Option update[] = {
            { LV2_OPTIONS_INSTANCE, 0, urids (LV2_UI__scaleFactor), sizeof (float), urids (LV2_ATOM__Float), &scale },
            { LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr },
        };
        options->set (ui, update);
    }

    Size lastRequest() const { return requests.empty() ? Size() : requests.back(); }
    Size viewSize() const
    {
        const auto size = window.getInnermostChildSize();
        return { size.width, size.height };
    }

    X11HostWindow window;
    std::vector<Size> requests;

private:
    // What a host does with a size request: its window takes that size.
    static int requestSize (LV2UI_Feature_Handle handle, int width, int height)
    {
        auto& host = *static_cast<Lv2UiHost*> (handle);
        host.requests.emplace_back (width, height);
        host.window.resize (width * host.windowScale, height * host.windowScale);

        // suil does it when GTK lays the window out again, later.
        if (host.windowScale > 1)
            host.pendingChildSize = Size (width, height);

        return 0;
    }

    const int windowScale;
    std::optional<Size> pendingChildSize;
    juce::File bundle = copyBundle();
    UridMap urids;
    int32_t blockLength = 0;
    float scale = 0.0f;
    void* library = nullptr;
    LV2_Handle plugin = nullptr;
    void (*cleanupPlugin) (LV2_Handle) = nullptr;
    const LV2UI_Descriptor* uiDescriptor = nullptr;
    LV2UI_Handle ui = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    const LV2_Options_Interface* options = nullptr;
    LV2UI_Resize resize { this, &Lv2UiHost::requestSize };
};

struct ScaleCase
{
    const char* name;
    std::optional<float> option; // ui:scaleFactor at instantiation
    int desktop;                 // the XSETTINGS Gdk/WindowScalingFactor, 0 for none
    float expected;              // the scale the face is drawn at

    // Without a scale from the host, the size asked for is in the desktop's
    // logical pixels, which the host scales.
    int getHostWindowScale() const { return option.has_value() ? 1 : juce::jmax (1, desktop); }
};

void PrintTo (const ScaleCase& c, std::ostream* stream) { *stream << c.name; }

Size scaled (int width, int height, float scale)
{
    return { juce::roundToInt ((float) width * scale), juce::roundToInt ((float) height * scale) };
}

// Within a pixel: JUCE rounds a size of half a pixel up through the host's scale.
bool isNear (Size size, Size expected)
{
    return std::abs (size.first - expected.first) <= 1 && std::abs (size.second - expected.second) <= 1;
}

class Lv2UiScaleTest : public ::testing::TestWithParam<ScaleCase>
{
protected:
    void SetUp() override
    {
        errorsBefore = X11HostWindow::getErrorCount();

        // The desktop's settings reach every program on the display: only on
        // a display of the test's own (CTest starts one for these cases).
        if (GetParam().desktop > 0 && std::getenv ("QUILVERN_OWN_X_DISPLAY") == nullptr)
            GTEST_SKIP() << "changes the desktop's scale: needs an X display of its own";

        // Before the plug-in opens its own connection to the display.
        if (GetParam().desktop > 0)
            X11HostWindow::publishDesktopScale (GetParam().desktop);
    }

    void TearDown() override { EXPECT_EQ (X11HostWindow::getErrorCount(), errorsBefore) << X11HostWindow::getLastError(); }

    int errorsBefore = 0;
};
} // namespace

TEST_P (Lv2UiScaleTest, TheUiTakesTheScaleFillsTheHostsWindowAndTheClickOnOptionsHits)
{
    const auto& c = GetParam();
    const int hostScale = c.getHostWindowScale();
    Lv2UiHost host (c.option, hostScale);
    ASSERT_TRUE (host.isOpen()) << "the UI did not open";
    const auto face = scaled (faceWidth, faceHeight, c.expected / (float) hostScale);
    const auto hostWindow = [&] { const auto r = host.lastRequest(); return Size (r.first * hostScale, r.second * hostScale); };

    EXPECT_TRUE (host.idleUntil ([&] { return isNear (host.lastRequest(), face); }))
        << "asked for " << host.lastRequest().first << " x " << host.lastRequest().second;
    ASSERT_TRUE (host.idleUntil ([&] { return host.window.pixelAt (10, hostWindow().second - 8) == statusBarColour; }))
        << "the status bar was never drawn at the bottom of the host's window";
    EXPECT_TRUE (host.idleUntil ([&] { return host.viewSize() == hostWindow(); }))
        << "the UI's window and the host's disagree: " << host.viewSize().first << " x " << host.viewSize().second;

    const auto area = FaceArt::knobArea;
    const auto seen = host.window.capture (juce::roundToInt ((float) area.getX() * c.expected),
                                           juce::roundToInt ((float) area.getY() * c.expected),
                                           juce::roundToInt ((float) area.getWidth() * c.expected),
                                           juce::roundToInt ((float) area.getHeight() * c.expected));
    EXPECT_GT (FaceArt::bestShareMatching (seen, c.expected, 3), 0.97) << "the face is not the art of this scale";

    host.window.click (juce::roundToInt (optionsButtonX * c.expected), juce::roundToInt (optionsButtonY * c.expected));
    const auto docked = scaled (faceWidth, dockedHeight, c.expected / (float) hostScale);
    EXPECT_TRUE (host.idleUntil ([&] { return isNear (host.lastRequest(), docked); })) << "the click on Options missed";
    EXPECT_TRUE (host.idleUntil ([&] { return host.viewSize() == hostWindow(); }));
}

INSTANTIATE_TEST_SUITE_P (Scales, Lv2UiScaleTest,
                          ::testing::Values (ScaleCase { "Option1", 1.0f, 0, 1.0f },
                                             ScaleCase { "Option15", 1.5f, 0, 1.5f },
                                             ScaleCase { "Option2", 2.0f, 0, 2.0f },
                                             ScaleCase { "NoOptionOn2xDesktop", std::nullopt, 2, 2.0f },
                                             ScaleCase { "Option2On2xDesktop", 2.0f, 2, 2.0f },
                                             ScaleCase { "Option15On2xDesktop", 1.5f, 2, 1.5f }),
                          [] (const auto& info) { return std::string (info.param.name); });

// A host that changes the scale while the UI is open, through the UI's
// options interface.
TEST (Lv2UiScaleUpdate, TheUiFollowsANewScaleFactor)
{
    Lv2UiHost host (1.0f);
    ASSERT_TRUE (host.isOpen());
    ASSERT_TRUE (host.idleUntil ([&] { return host.lastRequest() == Size (faceWidth, faceHeight); }));

    for (const float scale : { 2.0f, 1.5f, 1.0f })
    {
        host.sendScaleFactor (scale);
        const auto face = scaled (faceWidth, faceHeight, scale);
        EXPECT_TRUE (host.idleUntil ([&] { return isNear (host.lastRequest(), face) && host.viewSize() == host.lastRequest(); }))
            << scale << ": asked for " << host.lastRequest().first << " x " << host.lastRequest().second;
    }
}
