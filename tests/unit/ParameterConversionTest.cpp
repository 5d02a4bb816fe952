#include <gmock/gmock.h>

#include "framework/BoolParameter.h"
#include "framework/EnumParameter.h"
#include "framework/FloatParameter.h"
#include "framework/NoteParameter.h"
#include "framework/StringParameter.h"

#include <cmath>
#include <limits>

namespace
{
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();

struct SetCase
{
    const char* what;
    std::function<void (Parameter&)> set;
    float expected;
};

void expectValues (Parameter& parameter, std::initializer_list<SetCase> cases)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        c.set (parameter);
        EXPECT_FLOAT_EQ (parameter.getValue(), c.expected);
    }
}

auto normalised (float x) { return [x] (Parameter& p) { p.setNormalizedValue (x, true); }; }
auto real (float x) { return [x] (Parameter& p) { p.setValue (x, true); }; }
auto text (const char* t) { return [t] (Parameter& p) { p.setText (t, true); }; }
} // namespace

TEST (FloatParameter, ConvertsSettersToItsRange)
{
    FloatParameter p (0, "f", 0.0f, 1.0f, 0.5f);
    expectValues (p, { { "normalised -1", normalised (-1.0f), 0.0f },
                       { "normalised 7", normalised (7.0f), 1.0f },
                       { "normalised 0.25", normalised (0.25f), 0.25f },
                       { "normalised NaN", normalised (notANumber), 0.0f },
                       { "real 2", real (2.0f), 1.0f },
                       { "real NaN gives min", real (notANumber), 0.0f },
                       { "text is a real value", text ("0.25"), 0.25f },
                       { "leading number", text (" 0.75 Hz"), 0.75f },
                       { "no number", text ("abc"), 0.0f },
                       { "exponent", text ("5e-1"), 0.5f },
                       { "int", [] (Parameter& q) { q.setIntValue (3, true); }, 1.0f },
                       { "bool false", [] (Parameter& q) { q.setBoolValue (false, true); }, 0.0f },
                       { "bool true", [] (Parameter& q) { q.setBoolValue (true, true); }, 1.0f } });
}

TEST (FloatParameter, ReadsItsValue)
{
    FloatParameter p (0, "f", 0.0f, 1.0f, 0.5f);
    EXPECT_EQ (p.getText(), "0.500000000");
    EXPECT_TRUE (p.getBoolValue());
    p.setValue (0.4999f, true);
    EXPECT_FALSE (p.getBoolValue());

    FloatParameter wide (1, "w", -10.0f, 30.0f, -2.5f);
    EXPECT_EQ (wide.getText(), "-2.500000000");
    EXPECT_EQ (wide.getIntValue(), -2);
    EXPECT_FLOAT_EQ (wide.getNormalizedValue(), 0.1875f);

    FloatParameter huge (2, "h", -1e30f, 1e30f, 1e21f);
    EXPECT_TRUE (huge.getText().contains ("e+21")) << huge.getText();
}

TEST (FloatParameter, RangeWithoutWidthHasNormalisedValueZero)
{
    FloatParameter p (0, "f", 2.0f, 2.0f, 2.0f);
    EXPECT_EQ (p.getNormalizedValue(), 0.0f);
}

TEST (FloatParameter, NoTextStoresANonFiniteValue)
{
    FloatParameter p (0, "f", -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity(), 0.0f);

    for (const char* t : { "nan", "NaN", "inf", "-inf", "infinity", "1e999", "-1e999", "0x1p99", "garbage" })
    {
        SCOPED_TRACE (t);
        p.setText (t, true);
        EXPECT_TRUE (std::isfinite (p.getValue()));
    }

    p.setText ("1e999", true);
    EXPECT_EQ (p.getValue(), std::numeric_limits<float>::max());
}

TEST (IntParameter, RoundsNormalisedValuesInFloat)
{
    IntParameter p (0, "i", 0, 4, 0);
    expectValues (p, { { "0.5", normalised (0.5f), 2.0f },
                       { "0.124", normalised (0.124f), 0.0f },
                       { "0.125", normalised (0.125f), 1.0f },
                       { "-1", normalised (-1.0f), 0.0f },
                       { "7", normalised (7.0f), 4.0f },
                       { "NaN", normalised (notANumber), 0.0f },
                       { "real truncates", real (2.9f), 2.0f },
                       { "real NaN", real (notANumber), 0.0f },
                       { "strtol text", text (" +3xyz"), 3.0f },
                       { "negative clamps", text ("-3"), 0.0f },
                       { "overflow clamps", text ("99999999999999"), 4.0f },
                       { "no digits", text ("x1"), 0.0f },
                       { "bool true", [] (Parameter& q) { q.setBoolValue (true, true); }, 4.0f } });

    p.setIntValue (1, true);
    EXPECT_FLOAT_EQ (p.getNormalizedValue(), 0.25f);
    EXPECT_EQ (p.getText(), "1");
    EXPECT_TRUE (p.getBoolValue());
    p.setIntValue (0, true);
    EXPECT_FALSE (p.getBoolValue());

    IntParameter flat (1, "flat", 3, 3, 3);
    EXPECT_EQ (flat.getNormalizedValue(), 0.0f);
}

TEST (IntParameter, IntegerKindsTakeTheItemABoundaryFloatNames)
{
    // The preset number's range, a six-item list and the note range: the
    // float nearest to each boundary selects the item above it.
    IntParameter number (0, "Current Preset Number", 0, 127, 0);
    EnumParameter waves (1, "w", "Triangle;Square;Sine;Saw rising;Saw falling;Random");
    NoteParameter note (2, "n");

    for (auto* p : std::initializer_list<IntParameter*> { &number, &waves, &note })
    {
        const int steps = p->getMaximum() - p->getMinimum();

        for (int k = 1; k <= steps; ++k)
        {
            const auto boundary = (float) ((2.0 * k - 1.0) / (2.0 * steps));
            p->setNormalizedValue (boundary, true);
            ASSERT_EQ (p->getIntValue(), k) << p->getName() << " at " << boundary;
            p->setNormalizedValue (std::nextafter (boundary, 0.0f), true);
            ASSERT_EQ (p->getIntValue(), k - 1) << p->getName() << " below " << boundary;
        }
    }

    waves.setNormalizedValue (0.7f, true);
    EXPECT_EQ (waves.getText(), "Saw falling");
}

TEST (EnumParameter, SplitsItemLists)
{
    struct Case
    {
        const char* list;
        juce::StringArray items;
    };

    for (const auto& c : { Case { "a;b", { "a", "b" } },
                           Case { "a;b;", { "a", "b" } },
                           Case { ";a", { "", "a" } },
                           Case { "a;;b", { "a", "", "b" } },
                           Case { "", {} } })
    {
        SCOPED_TRACE (c.list);
        EnumParameter p (0, "e", c.list);
        EXPECT_EQ (p.getItems(), c.items);
        EXPECT_EQ (p.getMaximum(), c.items.size() - 1);
    }
}

TEST (EnumParameter, ReadsItemsExactlyAndOtherTextAsNormalisedNumber)
{
    EnumParameter p (0, "e", "Low;Mid;High");
    expectValues (p, { { "item", text ("Mid"), 1.0f },
                       { "normalised 0.75", text ("0.75"), 2.0f },
                       { "case differs", text ("mid"), 0.0f } });
    p.setIntValue (2, true);
    EXPECT_EQ (p.getText(), "High");

    EnumParameter empty (1, "none", "");
    EXPECT_EQ (empty.getText(), "");
}

TEST (NoteParameter, ReadsAndWritesNoteNames)
{
    NoteParameter p (0, "n");

    struct Case
    {
        const char* text;
        int note;
    };

    for (const auto& c : { Case { "C#4", 49 }, Case { "C-5", 60 }, Case { "G#X", 127 }, Case { "E#3", 40 },
                           Case { "B#0", 11 }, Case { "A-0", 9 }, Case { "c-4", 0 }, Case { "0.5", 64 },
                           Case { "C#", 0 }, Case { "H-1", 0 }, Case { "C+1", 0 }, Case { "C-Y", 0 } })
    {
        SCOPED_TRACE (c.text);
        p.setIntValue (100, true);
        p.setText (c.text, true);
        EXPECT_EQ (p.getIntValue(), c.note);
    }

    for (const auto& c : { Case { "C-0", 0 }, Case { "C-5", 60 }, Case { "C#5", 61 }, Case { "G-X", 127 } })
    {
        p.setIntValue (c.note, true);
        EXPECT_EQ (p.getText(), c.text);
    }
}

TEST (BoolParameter, ReadsOnlyTheEightWordsExactly)
{
    BoolParameter p (0, "b", BoolParameter::TextStyle::trueFalse);
    expectValues (p, { { "yes", text ("yes"), 1.0f },
                       { "True is no word, reads 0", text ("True"), 0.0f },
                       { "on", text ("on"), 1.0f },
                       { "0.25 is normalised off", text ("0.25"), 0.0f },
                       { "0.75 is normalised on", text ("0.75"), 1.0f },
                       { "no", text ("no"), 0.0f },
                       { "real 2", real (2.0f), 1.0f },
                       { "real NaN", real (notANumber), 0.0f },
                       { "normalised 0.5", normalised (0.5f), 1.0f },
                       { "normalised -1", normalised (-1.0f), 0.0f } });

    p.setBoolValue (true, true);
    EXPECT_EQ (p.getText(), "true");
    BoolParameter state (1, "s", BoolParameter::TextStyle::onOff, true);
    EXPECT_EQ (state.getText(), "on");
}

TEST (StringParameter, ConvertsThroughText)
{
    StringParameter p (0, "s");
    p.setNormalizedValue (0.5f, true);
    EXPECT_EQ (p.getText(), "0.5");
    p.setValue (1.0f / 3.0f, true);
    EXPECT_EQ (p.getText(), "0.333333343");
    p.setIntValue (-7, true);
    EXPECT_EQ (p.getText(), "-7");
    p.setBoolValue (true, true);
    EXPECT_EQ (p.getText(), "true");
    EXPECT_TRUE (p.getBoolValue());

    p.setText (" 42.5 units", true);
    EXPECT_FLOAT_EQ (p.getValue(), 42.5f);
    EXPECT_EQ (p.getNormalizedValue(), 1.0f);
    EXPECT_EQ (p.getIntValue(), 42);
    p.setText ("nan", true);
    EXPECT_EQ (p.getValue(), 0.0f);
}

TEST (Parameter, TakesAnotherParametersValueThroughItsKind)
{
    FloatParameter source (0, "f", 0.0f, 10.0f, 9.7f);
    IntParameter i (1, "i", 0, 4, 0);
    BoolParameter b (2, "b", BoolParameter::TextStyle::onOff);
    StringParameter s (3, "s");
    FloatParameter f (4, "g", 0.0f, 1.0f, 0.0f);

    i.setFromParameter (source, true);
    b.setFromParameter (source, true);
    s.setFromParameter (source, true);
    f.setFromParameter (IntParameter (5, "j", 0, 10, 7), true);

    EXPECT_EQ (i.getIntValue(), 4);
    EXPECT_TRUE (b.getBoolValue());
    EXPECT_EQ (s.getText(), "9.699999809");
    EXPECT_EQ (f.getValue(), 1.0f);
}

TEST (Parameter, CloneKeepsKindRangeFlagsAndValueButNoListeners)
{
    std::vector<std::unique_ptr<Parameter>> originals;
    originals.push_back (std::make_unique<FloatParameter> (1, "f", -2.0f, 2.0f, 1.5f));
    originals.push_back (std::make_unique<IntParameter> (2, "i", -5, 5, -3));
    originals.push_back (std::make_unique<EnumParameter> (3, "e", "a;b;c;", 2));
    originals.push_back (std::make_unique<NoteParameter> (4, "n", 61));
    originals.push_back (std::make_unique<BoolParameter> (5, "b", BoolParameter::TextStyle::onOff, true));
    originals.push_back (std::make_unique<StringParameter> (6, "s", "text"));

    struct Counter : Parameter::Listener
    {
        int calls = 0;
        void parameterChanged (Parameter*) override { ++calls; }
    } counter;

    for (auto& original : originals)
    {
        SCOPED_TRACE (original->getName());
        original->setAutomatable (true);
        original->addListener (&counter);
        const auto copy = original->clone();

        EXPECT_EQ (typeid (*copy), typeid (*original));
        EXPECT_EQ (copy->getIndex(), original->getIndex());
        EXPECT_EQ (copy->getName(), original->getName());
        EXPECT_TRUE (copy->isAutomatable());
        EXPECT_EQ (copy->getText(), original->getText());
        EXPECT_EQ (copy->getNormalizedValue(), original->getNormalizedValue());

        copy->setNormalizedValue (0.0f, true);
        copy->setNormalizedValue (1.0f, true);
        EXPECT_EQ (counter.calls, 0);
    }

    auto* e = dynamic_cast<EnumParameter*> (originals[2]->clone().release());
    EXPECT_EQ (e->getItemListText(), "a;b;c;");
    delete e;
}
