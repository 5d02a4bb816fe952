#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<Target>/.

Run from anywhere; the seeds are committed, so this is only needed when they
change. Seeds cover the well-formed inputs the readers see in real use and the
damaged forms they must refuse."""
import os
import struct

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
    }
    for name, data in seeds.items():
        write("ChunkReader", name, data)


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


if __name__ == "__main__":
    chunk_seeds()
    map_seeds()
