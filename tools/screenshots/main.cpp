// Opens the editor of the built VST 2.4 library the way a bare Linux host
// does (its own X window, effEditOpen, effEditIdle), with a few controller
// assignments and some audio behind it, clicks "Browse presets" (and again
// to close it), "Options", the options tabs and Ctrl-clicks "Options" for
// the about window, and writes what the host window shows at each step as
// PNG files:
//
//     quilvern-screenshots LIBRARY FOLDER [SCALE]
//
// With a SCALE other than 1 the host first sends the content-scale request
// VST 2.4 hosts send on screens at 150 or 200 % (effVendorSpecific 'PreS'
// 'AeCs'), and the face, the preset browser and the "Display" tab are
// written, named with "@1.5x" or "@2x" before ".png".
//
// Run it on an X display; tools/screenshots.sh starts one with Xvfb.
#include <juce_graphics/juce_graphics.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include "support/X11HostWindow.h"

#include <dlfcn.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <iostream>
#include <thread>
#include <vector>

namespace
{
constexpr int faceHeight = 223;
constexpr int dockedHeight = 479;
constexpr int blockSize = 256;
constexpr std::uint32_t statusBarColour = 0x444444;

// Where the product's skin and the docked options panel put what is clicked.
constexpr int optionsButtonX = 97, optionsButtonY = 35;
constexpr int browseButtonX = 388, browseButtonY = 37;
constexpr int midiControlTabX = 130, displayTabX = 214, tabsY = 233;

X11HostWindow* hostWindow = nullptr;

VstIntPtr hostCallback (AEffect*, int opcode, int index, VstIntPtr value, void* ptr, float)
{
    switch (opcode)
    {
        case audioMasterVersion: return 2400;
        case audioMasterCanDo: return ptr != nullptr && std::strcmp (static_cast<const char*> (ptr), "sizeWindow") == 0;
        case audioMasterSizeWindow:
            if (hostWindow != nullptr)
                hostWindow->resize (index, (int) value);

            return 1;
        default: return 0;
    }
}

class Host
{
public:
    Host (AEffect& e, X11HostWindow& w) : effect (e), window (w) {}

    VstIntPtr dispatch (int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect.dispatcher (&effect, opcode, index, value, ptr, opt);
    }

    void idleFor (int milliseconds)
    {
        idleUntil ([] { return false; }, milliseconds);
    }

    bool idleUntil (const std::function<bool()>& condition, int timeoutMs = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs);

        while (std::chrono::steady_clock::now() < end)
        {
            dispatch (effEditIdle);
            window.processEvents();
            std::this_thread::sleep_for (std::chrono::milliseconds (5));

            if (condition())
                return true;
        }

        return false;
    }

    // A chord of sines, so that the meters and lights show something.
    void playAudio (int blocks)
    {
        std::vector<float> left (blockSize), right (blockSize);

        for (int block = 0; block < blocks; ++block)
        {
            for (int i = 0; i < blockSize; ++i)
            {
                const auto t = (float) (position + i);
                left[(size_t) i] = 0.3f * (std::sin (0.031f * t) + std::sin (0.047f * t));
                right[(size_t) i] = 0.3f * (std::sin (0.029f * t) + std::sin (0.053f * t));
            }

            position += blockSize;
            float* channels[] = { left.data(), right.data() };
            effect.processReplacing (&effect, channels, channels, blockSize);
        }
    }

    // The state chunk with a few controller assignments in its map.
    void assignControllers()
    {
        void* data = nullptr;
        const auto size = (int) dispatch (effGetChunk, 0, 0, &data);

        if (data == nullptr || size <= 10)
            return;

        const auto length = (int) juce::ByteOrder::littleEndianInt (static_cast<const char*> (data) + 4);
        auto xml = juce::parseXML (juce::String::fromUTF8 (static_cast<const char*> (data) + 8, length));

        if (xml == nullptr)
            return;

        if (auto* map = xml->getChildByName ("MidiControlMap"))
        {
            const std::pair<int, const char*> assignments[] = {
                { 1, "LFO 1 Depth" }, { 7, "Output Volume" }, { 11, "FX" }, { 71, "Feedback" }, { 74, "LFO 1 Rate" },
            };

            for (const auto& [controller, name] : assignments)
            {
                auto* assign = map->createNewChildElement ("assign");
                assign->setAttribute ("CC", controller);
                assign->setAttribute ("param", name);
            }
        }

        const auto text = xml->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader());
        juce::MemoryOutputStream chunk;
        chunk.write ("VC2!", 4);
        chunk.writeInt ((int) text.getNumBytesAsUTF8());
        chunk << text;
        chunk.writeByte (0);
        chunk.writeByte (0);
        dispatch (effSetChunk, 0, (VstIntPtr) chunk.getDataSize(), const_cast<void*> (chunk.getData()));
    }

    // The editor's size as the host asks for it.
    std::pair<int, int> getEditorSize()
    {
        ERect* rect = nullptr;
        dispatch (effEditGetRect, 0, 0, &rect);
        return rect != nullptr ? std::make_pair (rect->right - rect->left, rect->bottom - rect->top) : std::make_pair (0, 0);
    }

    // What the host's window shows, the editor's size.
    bool save (const juce::File& file)
    {
        const auto [width, height] = getEditorSize();
        const auto pixels = window.capture (0, 0, width, height);

        if (pixels.size() != (size_t) (width * height))
            return false;

        juce::Image image (juce::Image::RGB, width, height, false);

        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixelAt (x, y, juce::Colour (0xff000000u | pixels[(size_t) (y * width + x)]));

        file.deleteFile();
        juce::FileOutputStream stream (file);
        juce::PNGImageFormat png;

        if (! stream.openedOk() || ! png.writeImageToStream (image, stream))
            return false;

        std::cout << "Wrote " << file.getFullPathName() << " (" << width << " x " << height << ")" << std::endl;
        return true;
    }

private:
    AEffect& effect;
    X11HostWindow& window;
    int position = 0;
};

int fail (const juce::String& message)
{
    std::cerr << "quilvern-screenshots: " << message << std::endl;
    return 1;
}

int run (const juce::File& libraryFile, const juce::File& folder, float scale)
{
    X11HostWindow window (640, 480);

    if (! window.isOpen())
        return fail ("no X display");

    hostWindow = &window;
    auto* library = dlopen (libraryFile.getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
    using EntryPoint = AEffect* (*) (audioMasterCallback);
    auto entryPoint = library != nullptr ? reinterpret_cast<EntryPoint> (dlsym (library, "VSTPluginMain")) : nullptr;
    auto* effect = entryPoint != nullptr ? entryPoint (&hostCallback) : nullptr;

    if (effect == nullptr)
        return fail ("cannot load " + libraryFile.getFullPathName());

    Host host (*effect, window);
    host.dispatch (effOpen);
    host.dispatch (effSetSampleRate, 0, 0, nullptr, 44100.0f);
    host.dispatch (effSetBlockSize, 0, blockSize);
    host.dispatch (effMainsChanged, 0, 1);
    host.assignControllers();
    host.playAudio (60);

    if (scale != 1.0f)
        host.dispatch (effVendorSpecific, (int) juce::ByteOrder::bigEndianInt ("PreS"),
                       (VstIntPtr) juce::ByteOrder::bigEndianInt ("AeCs"), nullptr, scale);

    const auto at = [scale] (int coordinate) { return juce::roundToInt ((float) coordinate * scale); };
    const auto name = [&] (const juce::String& picture) {
        const auto suffix = scale == 1.0f ? juce::String() : "@" + juce::String (scale) + "x";
        return folder.getChildFile (picture + suffix + ".png");
    };
    const auto hasHeight = [&] (int height) { return std::abs (window.getSize().height - at (height)) <= 1; };

    const auto [width, height] = host.getEditorSize();
    window.resize (width, height);
    host.dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (window.getWindowId()));
    bool ok = host.idleUntil ([&] { return window.pixelAt (10, height - at (8)) == statusBarColour; });
    host.idleFor (300);
    ok = ok && host.save (name ("editor-face"));

    window.click (at (browseButtonX), at (browseButtonY));
    ok = ok && host.idleUntil ([&] { return hasHeight (dockedHeight); });
    host.idleFor (300);
    ok = ok && host.save (name ("editor-preset-browser"));

    window.click (at (browseButtonX), at (browseButtonY));
    ok = ok && host.idleUntil ([&] { return hasHeight (faceHeight); });

    window.click (at (optionsButtonX), at (optionsButtonY));
    ok = ok && host.idleUntil ([&] { return hasHeight (dockedHeight); });
    host.idleFor (300);

    if (scale == 1.0f)
    {
        ok = ok && host.save (name ("editor-options-presets"));
        window.click (at (midiControlTabX), at (tabsY));
        host.idleFor (300);
        ok = ok && host.save (name ("editor-options-midi-control"));
    }

    window.click (at (displayTabX), at (tabsY));
    host.idleFor (300);
    ok = ok && host.save (name ("editor-options-display"));

    if (scale == 1.0f)
    {
        window.click (at (optionsButtonX), at (optionsButtonY), true);
        host.idleFor (300);
        ok = ok && host.save (name ("editor-about"));
    }

    host.dispatch (effEditClose);
    host.idleFor (50);
    host.dispatch (effMainsChanged, 0, 0);
    host.dispatch (effClose);
    hostWindow = nullptr;

    if (! ok)
        return fail ("the editor did not show as expected");

    if (X11HostWindow::getErrorCount() > 0)
        return fail ("X errors: " + juce::String (X11HostWindow::getErrorCount()) + ", the last "
                     + juce::String (X11HostWindow::getLastError()));

    return 0;
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 3 && argc != 4)
        return fail ("usage: quilvern-screenshots LIBRARY FOLDER [SCALE]");

    const float scale = argc == 4 ? juce::String (argv[3]).getFloatValue() : 1.0f;

    if (scale < 1.0f || scale > 4.0f)
        return fail ("the scale goes from 1 to 4");

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]);

    if (! folder.createDirectory())
        return fail ("cannot create " + folder.getFullPathName());

    return run (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]), folder, scale);
}
