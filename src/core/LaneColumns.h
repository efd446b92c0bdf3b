#pragma once

#include <cstddef>

namespace scriblo {

// Interleaves rows of values into the columns of a block, as LaneRound lays out the
// templates of a batch: value i of row r goes to target[i · stride + first + r].
class LaneColumns {
public:
    static constexpr size_t rowsAtOnce = 4;

    // The first `count` values of `rowsAtOnce` rows, four at a time; returns how many of
    // each it placed (none without SSE2), and the caller places the rest.
    static size_t interleave(const float* const* rows, size_t count, float* target, size_t stride, size_t first);
};

}
