#include "tools/art/WaveShapes.h"

#include "tools/art/PixelPicture.h"

#include <array>

namespace
{
using Picture = std::array<const char*, WaveShapes::height>;

constexpr int squareWave = 1;
constexpr int randomSteps = 5;

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
    const int shape = juce::jlimit (0, count - 1, index);
    const auto& picture = pictures[shape];
    const auto isSet = [&picture] (int column, int row) {
        return column >= 0 && column < width && row >= 0 && row < height && picture[(size_t) row][column] == '#';
    };

    // The square wave and the random steps keep their right angles.
    const bool stepped = shape == squareWave || shape == randomSteps;
    PixelPicture::draw (g, width, height, isSet, x, y, stepped ? PixelPicture::Corners::squared : PixelPicture::Corners::smoothed);
}
