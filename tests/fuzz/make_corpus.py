#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<Target>/.

    make_corpus.py [path of fuzz_seed_writer (default build/tests/fuzz_seed_writer)]

Run from anywhere; the seeds are committed, so this is only needed when they
change. Seeds cover the well-formed inputs the readers see in real use (the
product's own documents come from fuzz_seed_writer) and the damaged forms
they must refuse or survive."""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
PARAMS = ["Stages Number", "Feedback", "Stereo Phase", "LFO 1 Rate", "LFO 1 Depth",
          "LFO 1 Offset", "LFO 1 Wave", "LFO 2 Rate", "LFO 2 Depth", "LFO 2 Wave",
          "FX", "Output Volume", "LFO 1 Note Rate", "LFO 1 Sync", "LFO 2 Note Rate", "LFO 2 Sync"]


def chunk(text, length=None, magic=0x21324356, tail=b"\0\0"):
    body = text.encode("utf-8") if isinstance(text, str) else text
    n = len(body) if length is None else length
    return struct.pack("<Ii", magic, n) + body + tail


def params(tag="param"):
    return "".join('<%s name="%s" value="0.%d"/>' % (tag, p, i) for i, p in enumerate(PARAMS))


def preset(name, app=' application="Quilvern"'):
    return '<Preset%s name="%s" rev="1">%s</Preset>' % (app, name, params())


def midi_map():
    return ('<MidiControlMap name="Quilvern"><assign CC="1" param="Feedback"/>'
            '<assign CC="74" param="LFO 1 Rate"/><assign CC="127" param="FX"/></MidiControlMap>')


def state():
    bank = ('<PresetBank application="Quilvern"><PresetGroup name="Group &amp; &#x41;" count="2"/>'
            + preset("One") + preset("Two &lt;&quot;&apos;&gt;") + '</PresetBank>')
    return ('<PluginState application="Quilvern"><UniqueData/><ParametersState>' + params()
            + '</ParametersState><PresetsState currentPreset="1">' + bank + '</PresetsState>'
            + midi_map() + '</PluginState>')


def nested(depth):
    return "<a>" * depth + "</a>" * depth


def write(target, name, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def chunk_seeds():
    s = state()
    seeds = {
        "valid_state": chunk(s),
        "valid_program": chunk(preset("Solo")),
        "older_state": chunk('<QuilvernPluginState currentPreset="5"><QuilvernPresetBank>'
                             '<QuilvernPreset name="Old">' + params() + '</QuilvernPreset>'
                             '</QuilvernPresetBank></QuilvernPluginState>'),
        "markup_forms": chunk('<!-- c --><?pi x?><PluginState application=\'Quilvern\' >'
                              '<t><![CDATA[<x><x>]]></t> text &#233; <e a = "1"\n b="&lt;a&gt;"/></PluginState >'),
        "truncated": chunk(s.encode()[: len(s) // 2], length=len(s)),
        "length_beyond_data": chunk(s, length=0x7FFFFFFF, tail=b""),
        "length_shorter": chunk(s + "<Other/>", length=len(s)),
        "length_zero": chunk(s, length=0),
        "length_negative": chunk(s, length=-1),
        "header_only": struct.pack("<Ii", 0x21324356, 5),
        "wrong_magic": chunk(s, magic=0x21324357),
        "invalid_utf8": chunk(b'<PluginState application="Quilv\xe9rn"/>'),
        "deep_nesting": chunk(nested(100)),
        "deep_within_limit": chunk(nested(60)),
        "dtd_entities": chunk('<!DOCTYPE a [<!ENTITY e "<a>&e;</a>">]><a>&e;</a>'),
        "unquoted_value": chunk('<a><b c=x"><b><b><b>"</b></a>'),
        # Found by the fuzzer: JUCE's parser hangs on the first, its one-line
        # writer crashes on the second.
        "instruction_before_text": chunk("<r><?pi?>text</r>", tail=b"\0"),
        "element_after_text": chunk("<a>" * 20 + "a>" + nested(20) + "</a>" * 20),
        # Found by the fuzzer: JUCE's UTF-8 check takes an encoded surrogate,
        # which its writer then puts out as text that is refused.
        "encoded_surrogate": chunk(b"<i n='\xed\xa7\x95'/>"),
    }
    for name, data in seeds.items():
        write("ChunkEnvelope", name, data)


def map_seeds():
    seeds = {
        "valid_map": midi_map(),
        "with_declaration": '<?xml version="1.0" encoding="UTF-8"?>\n' + midi_map(),
        "byte_order_mark": b"\xef\xbb\xbf" + midi_map().encode(),
        "by_application": ('<midicontrolmap APPLICATION="quilvern"><ASSIGN cc="7" PARAM="Feedback"/>'
                           '<assign CC="200" param="Feedback"/><assign CC="x" param="Nope"/></midicontrolmap>'),
        "other_owner": '<MidiControlMap name="Other"><assign CC="1" param="Feedback"/></MidiControlMap>',
        "invalid_utf8": b'<MidiControlMap name="Quilvern"><assign CC="1" param="F\xffeedback"/></MidiControlMap>',
        "deep_nesting": nested(1000),
        "entities": '<MidiControlMap name="Quil&#118;ern"><assign CC="&#49;" param="F&#101;edback"/></MidiControlMap>',
    }
    for name, data in seeds.items():
        write("MidiMapReader", name, data)


def product_documents(writer):
    """The documents of the product's writers, by file name."""
    folder = tempfile.mkdtemp()
    try:
        subprocess.run([writer, folder], check=True)
        documents = {}
        for name in os.listdir(folder):
            with open(os.path.join(folder, name), "rb") as f:
                documents[name] = f.read()
        return documents
    finally:
        shutil.rmtree(folder)


def chunk_text(data):
    """The text of a chunk of the current layout: behind the magic and length, up to the NUL."""
    return data[8:].split(b"\0", 1)[0].decode("utf-8")


def with_odd_values(text):
    """Every value="..." replaced by the odd numbers in turn."""
    odd = iter(ODD_VALUES * 1000)
    return re.sub(r'value="[^"]*"', lambda m: 'value="%s"' % next(odd), text)


def older(text):
    """The element names an earlier version wrote, without application."""
    for tag in ("PluginState", "PresetBank", "PresetGroup", "Preset"):
        text = re.sub(r"<(/?)%s\b" % tag, r"<\1Quilvern%s" % tag, text)
    return text.replace(' application="Quilvern"', "")


def older_state(state):
    """An earlier version's project state: the bank and the map right under the
    root, which holds the current preset's index, and no parameter values."""
    state = re.sub(r"<ParametersState>.*?</ParametersState>", "", state)
    state = re.sub(r'<PresetsState currentPreset="\d+">(.*?)</PresetsState>', r"\1", state)
    return older(state).replace("<QuilvernPluginState", '<QuilvernPluginState currentPreset="1"')


def minimal_preset(i):
    return '<Preset application="Quilvern" name="p%d"><param name="Feedback" value="0.%d"/></Preset>' % (i, i % 10)


# Numbers that must not reach a parameter or a preset as they are. Found by
# the fuzzer: values too large to round to six decimals were written as "inf";
# an exponent of ten digits overflowed JUCE's reader.
ODD_VALUES = ["nan", "-inf", "3.4e38", "1e999999999", "0x1p3", "4.9e-324", "1e2147483648", " -0"]


def product_chunk_seeds(docs):
    state = chunk_text(docs["state.chunk"])
    seeds = {
        "valid_state": docs["state.chunk"],
        "valid_program": docs["program.chunk"],
        "older_state": chunk(older_state(state)),
        "wrong_application": chunk(state.replace('application="Quilvern"', 'application="Other"')),
        "truncated_state": chunk(state.encode()[: len(state) // 3], length=len(state)),
        "preset_index_beyond": chunk(state.replace('currentPreset="2"', 'currentPreset="99999999999"')),
        "preset_index_negative": chunk(state.replace('currentPreset="2"', 'currentPreset="-1"')),
        "empty_groups": chunk('<PluginState application="Quilvern"><PresetsState currentPreset="127"><PresetBank>'
                              + '<PresetGroup/>' * 300 + '</PresetBank></PresetsState></PluginState>'),
        "program_as_state": chunk(chunk_text(docs["program.chunk"]).replace("<Preset ", "<PluginState ")),
    }
    seeds["odd_values"] = chunk(with_odd_values(state))
    for name, data in seeds.items():
        write("ChunkReader", name, data)


def preset_seeds(docs):
    preset = docs["preset.qvprs"].decode("utf-8")
    seeds = {
        "valid_preset": preset,
        "older_preset": older(preset),
        "revision_zero": preset.replace(' rev="1"', ""),
        "revision_text": preset.replace(' rev="1"', ' REV=" 0x1"'),
        "wrong_application": preset.replace('application="Quilvern"', 'application="Quilvern2"'),
        "truncated": preset[: len(preset) // 2],
        "names": ('<preset APPLICATION="quilvern" NAME="&#x1F600; &lt;&amp;&#9;&#xFFFD;">'
                  '<PARAM name="Feedback" value="1"/><param name="feedback" value="0.5"/>'
                  '<param name="Feedback" value="0.25"/><param value="0.5"/><param name="Nope" value="1"/></preset>'),
        "deep_nesting": '<Preset application="Quilvern">' + nested(63) + "</Preset>",
        "bank_document": docs["bank.qvprsb"],
        # Found by the fuzzer: an overlong form became a name of invalid UTF-8.
        "overlong_utf8": b'<QuilvernPreset name="\xc1\xbf&#xFF;"/>',
        # Found by the fuzzer: "-0.0" read as -0 and was written as "-0",
        # which read as +0.
        "negative_zero": re.sub(r'value="[^"]*"', 'value="-0.0"', preset, count=1),
    }
    seeds["odd_values"] = with_odd_values(preset)
    for name, data in seeds.items():
        write("PresetReader", name, data)


def bank_seeds(docs):
    bank = docs["bank.qvprsb"].decode("utf-8")
    seeds = {
        "valid_bank": bank,
        "older_bank": older(bank),
        "truncated": bank[: len(bank) // 2],
        "empty_groups": "<PresetBank>" + "<PresetGroup/>" * 300 + '<PresetGroup name="">'
                        + minimal_preset(1) + "</PresetGroup></PresetBank>",
        "beyond_bank": "<PresetBank>" + "".join('<PresetGroup name="g%d">%s</PresetGroup>'
                                               % (g, "".join(minimal_preset(i) for i in range(50)))
                                               for g in range(3)) + "</PresetBank>",
        "foreign_presets": ('<presetbank NAME="x"><presetgroup><Preset application="Other" name="o"/>'
                            + minimal_preset(2) + '<Preset name="none"/><QuilvernPreset name="old"/>'
                            + '<PresetGroup>' + minimal_preset(3) + "</PresetGroup></presetgroup></presetbank>"),
        "no_groups": "<PresetBank>" + minimal_preset(4) + "</PresetBank>",
    }
    seeds["odd_values"] = with_odd_values(bank)
    for name, data in seeds.items():
        write("BankReader", name, data)


def settings_seeds(docs):
    settings = docs["settings.ini"].decode("utf-8")
    user = settings.replace('default="factoryPresets"', 'default="userDefinedPresets" file="/tmp/none.qvprsb"')
    seeds = {
        "valid_settings": settings,
        "user_defined": user.replace('default="noMapping"', 'default="userDefinedMidiCCMap" file="/tmp/none.qvccmap"'),
        "cleared_automatic_silent": settings.replace("factoryPresets", "CLEARPRESETS")
                                            .replace("onDemand", "Automatic").replace("normal", "SILENT"),
        "unknown_keywords": settings.replace("factoryPresets", "factoryPresets2")
                                    .replace("onDemand", "").replace("normal", "3"),
        "wrong_application": settings.replace('application="Quilvern"', 'application="Other"'),
        "truncated": settings[: len(settings) // 2],
        "repeated": re.sub(r"(<PresetSettings[^>]*/>)", r"\1" * 40, settings),
        "missing_folder": settings.replace('dir="/tmp"', 'dir="/nonexistent/&#x1F600;"'),
    }
    for name, data in seeds.items():
        write("SettingsReader", name, data)


if __name__ == "__main__":
    repo = os.path.dirname(os.path.dirname(here))
    writer = sys.argv[1] if len(sys.argv) > 1 else os.path.join(repo, "build", "tests", "fuzz_seed_writer")
    docs = product_documents(writer)
    chunk_seeds()
    map_seeds()
    product_chunk_seeds(docs)
    preset_seeds(docs)
    bank_seeds(docs)
    settings_seeds(docs)
