#pragma once

#include <lv2/urid/urid.h>

#include <algorithm>
#include <string>
#include <vector>

// A host's URI-to-number map for LV2 plug-ins and UIs: each URI gets the
// next number the first time it is asked for.
class UridMap
{
public:
    LV2_URID_Map* get() { return &feature; }
    LV2_URID map (const char* uri) { return map (this, uri); }
    LV2_URID operator() (const char* uri) { return map (this, uri); }
    LV2_URID operator() (const std::string& uri) { return map (this, uri.c_str()); }

private:
    static LV2_URID map (LV2_URID_Map_Handle handle, const char* uri)
    {
        auto& uris = static_cast<UridMap*> (handle)->uris;
        const auto found = std::find (uris.begin(), uris.end(), uri);

        if (found != uris.end())
            return (LV2_URID) (found - uris.begin() + 1);

        uris.emplace_back (uri);
        return (LV2_URID) uris.size();
    }

    std::vector<std::string> uris;
    LV2_URID_Map feature { this, &UridMap::map };
};
