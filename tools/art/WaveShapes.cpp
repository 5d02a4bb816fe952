#include "tools/art/WaveShapes.h"

#include <array>

namespace
{
using Picture = std::array<const char*, WaveShapes::height>;

const Picture pictures[WaveShapes::count] = {
    Picture { "...#...........",
              "..#.#..........",
              ".#...#.........",
              "#.....#.....#..",
              ".......#...#...",
              "........#.#....",
              ".........#....." }, // triangle
    Picture { "#######........",
              "#.....#........",
              "#.....#........",
              "#.....#........",
              "#.....#........",
              "#.....#........",
              "......#######.." }, // square
    Picture { "..###..........",
              ".#...#.........",
              "#.....#........",
              "......#.....#..",
              ".......#...#...",
              "........###....",
              "..............." }, // sine
    Picture { ".....##.....##.",
              "....#.#....#.#.",
              "...#..#...#..#.",
              "..#...#..#...#.",
              ".#....#.#....#.",
              "#.....##.....#.",
              "..............." }, // rising saw
    Picture { "##.....##......",
              "#.#....#.#.....",
              "#..#...#..#....",
              "#...#..#...#...",
              "#....#.#....#..",
              "#.....##.....#.",
              "..............." }, // falling saw
    Picture { "..###..........",
              "..#.#.....###..",
              "###.#.....#.#..",
              "....#..####.#..",
              "....#..#....#..",
              "....####....###",
              "..............." }, // random steps
};
} // namespace

void WaveShapes::draw (juce::Graphics& g, int index, int x, int y)
{
    const auto& picture = pictures[juce::jlimit (0, count - 1, index)];

    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (picture[(size_t) row][column] == '#')
                g.fillRect (x + column, y + row, 1, 1);
}
