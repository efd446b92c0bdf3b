#pragma once

#include <utility>
#include <vector>

namespace scriblo::testing {

// A "Z" in the drawing space (thousandths, y upward), as a user would draw it.
inline std::vector<std::pair<double, double>> zigzag(int stepsPerSide = 12)
{
    const std::pair<double, double> corners[] = { { 200, 800 }, { 800, 800 }, { 200, 200 }, { 800, 200 } };
    std::vector<std::pair<double, double>> points;
    for (int side = 0; side < 3; ++side) {
        for (int step = 0; step < stepsPerSide; ++step) {
            double t = double(step) / stepsPerSide;
            points.push_back({ corners[side].first + t * (corners[side + 1].first - corners[side].first),
                               corners[side].second + t * (corners[side + 1].second - corners[side].second) });
        }
    }
    points.push_back(corners[3]);
    return points;
}

}
