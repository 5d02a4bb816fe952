#include "tools/render/ClosestNames.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace
{
struct Match
{
    int tier, distance, order;
    juce::String name;

    bool operator< (const Match& other) const
    {
        return std::tie (tier, distance, order) < std::tie (other.tier, other.distance, other.order);
    }
};

bool sharesWord (const juce::String& a, const juce::String& b)
{
    const auto wordsOfB = juce::StringArray::fromTokens (b, " -_.,/", "");

    for (const auto& word : juce::StringArray::fromTokens (a, " -_.,/", ""))
        if (word.length() >= 3 && wordsOfB.contains (word))
            return true;

    return false;
}

// 0 contains or is contained, 1 a few slips away, 2 shares a word, 3 none.
int tierOf (const juce::String& text, const juce::String& candidate, int distance)
{
    if (candidate.contains (text) || text.contains (candidate))
        return 0;

    if (distance <= juce::jmax (1, text.length() / 3))
        return 1;

    return sharesWord (text, candidate) ? 2 : 3;
}
} // namespace

juce::StringArray ClosestNames::find (const juce::String& text, const juce::StringArray& candidates, int maxCount)
{
    const auto wanted = text.trim().toLowerCase();
    std::vector<Match> matches;

    if (wanted.isEmpty())
        return {};

    for (int i = 0; i < candidates.size(); ++i)
    {
        const auto candidate = candidates[i].toLowerCase();

        if (candidate.isEmpty())
            continue;

        const auto distance = editDistance (wanted, candidate);
        const auto tier = tierOf (wanted, candidate, distance);

        if (tier < 3)
            matches.push_back ({ tier, distance, i, candidates[i] });
    }

    std::sort (matches.begin(), matches.end());
    juce::StringArray result;

    for (const auto& match : matches)
        if (result.size() < maxCount)
            result.addIfNotAlreadyThere (match.name);

    return result;
}

int ClosestNames::editDistance (const juce::String& a, const juce::String& b)
{
    // One row of the usual table at a time.
    std::vector<int> previous ((size_t) b.length() + 1), current (previous.size());

    for (size_t j = 0; j < previous.size(); ++j)
        previous[j] = (int) j;

    for (int i = 1; i <= a.length(); ++i)
    {
        current[0] = i;

        for (int j = 1; j <= b.length(); ++j)
        {
            const int substitution = previous[(size_t) j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[(size_t) j] = std::min ({ substitution, previous[(size_t) j] + 1, current[(size_t) j - 1] + 1 });
        }

        std::swap (previous, current);
    }

    return previous.back();
}
