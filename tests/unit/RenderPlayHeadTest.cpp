#include "tools/render/RenderPlayHead.h"

#include <gmock/gmock.h>

TEST (RenderPlayHead, MovesThroughQuarterNotesAndBars)
{
    RenderPlayHead playHead (120.0, 48000.0);

    struct Row { int advance; double quarterNotes; double barStart; };
    const Row rows[] = { { 0, 0.0, 0.0 }, { 24000, 1.0, 0.0 }, { 72000, 4.0, 4.0 }, { 12000, 4.5, 4.0 } };

    for (const auto& row : rows)
    {
        playHead.advance (row.advance);
        const auto position = playHead.getPosition();
        ASSERT_TRUE (position.hasValue());
        EXPECT_TRUE (position->getIsPlaying());
        EXPECT_DOUBLE_EQ (*position->getBpm(), 120.0);
        EXPECT_DOUBLE_EQ (*position->getPpqPosition(), row.quarterNotes);
        EXPECT_DOUBLE_EQ (*position->getPpqPositionOfLastBarStart(), row.barStart);
    }
}
