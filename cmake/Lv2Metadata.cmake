# Adds what JUCE's LV2 manifest generator cannot say to the bundle it wrote:
# the plug-in's class (JUCE writes every effect as a plain lv2:Plugin) and
# the groups of the factory presets as preset banks (JUCE lists the presets,
# program i as "<URI>:preset<i+1>", without groups).
#
#   cmake -DBUNDLE=<folder> -DURI=<plug-in URI> -DCLASS=<lv2 class> -DBANK=<factory bank> -P Lv2Metadata.cmake

file(APPEND "${BUNDLE}/dsp.ttl" "<${URI}>\n\ta lv2:${CLASS} .\n")

file(READ "${BANK}" bank)
string(REGEX MATCHALL "<PresetGroup [^>]*>|<Preset [^>]*>" tags "${bank}")

set(banks "")
set(group 0)
set(preset 0)

foreach(tag IN LISTS tags)
    if(tag MATCHES "^<PresetGroup [^>]*name=\"([^\"]*)\"")
        math(EXPR group "${group} + 1")
        string(APPEND banks "<${URI}:bank${group}>\n\ta pset:Bank ;\n\trdfs:label \"${CMAKE_MATCH_1}\" .\n\n")
    elseif(group GREATER 0)
        math(EXPR preset "${preset} + 1")
        string(APPEND banks "<${URI}:preset${preset}>\n\tpset:bank <${URI}:bank${group}> .\n\n")
    endif()
endforeach()

file(APPEND "${BUNDLE}/manifest.ttl" "${banks}")
