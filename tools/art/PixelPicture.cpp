#include "tools/art/PixelPicture.h"

#include "tools/art/ArtScale.h"

void PixelPicture::draw (juce::Graphics& g, int columns, int rows, const IsSet& isSet, int x, int y, Corners corners)
{
    const bool finer = corners == Corners::smoothed && ArtScale::of (g) == 2;

    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
        {
            if (! finer)
            {
                if (isSet (column, row))
                    g.fillRect (x + column, y + row, 1, 1);

                continue;
            }

            for (const bool lower : { false, true })
                for (const bool right : { false, true })
                    if (isQuarterSet (isSet, column, row, right, lower))
                        g.fillRect (juce::Rectangle<float> ((float) (x + column) + (right ? 0.5f : 0.0f),
                                                            (float) (y + row) + (lower ? 0.5f : 0.0f), 0.5f, 0.5f));
        }
}

bool PixelPicture::isQuarterSet (const IsSet& isSet, int column, int row, bool right, bool lower)
{
    // The quarter takes its neighbours' value where the two pixels beside
    // it agree and the two across from them both differ.
    const bool vertical = isSet (column, lower ? row + 1 : row - 1);
    const bool horizontal = isSet (right ? column + 1 : column - 1, row);
    const bool oppositeVertical = isSet (column, lower ? row - 1 : row + 1);
    const bool oppositeHorizontal = isSet (right ? column - 1 : column + 1, row);

    if (vertical == horizontal && vertical != oppositeVertical && horizontal != oppositeHorizontal)
        return vertical;

    return isSet (column, row);
}
