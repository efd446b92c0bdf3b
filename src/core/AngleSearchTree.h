#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace scriblo {

// The rotation search probes angles that depend only on the outcomes of its own
// comparisons, never on the strokes compared, so every angle it can visit is known in
// advance. Slots 0 and 1 hold the two first probes; from the root (node 1) each step
// descends to 2·node when the bracket closes from above and to 2·node + 1 when it closes
// from below. Cosines and sines are taken once here, in float as rotation takes them.
class AngleSearchTree {
public:
    static constexpr float searchBound = 0.5235988f;
    static constexpr float firstProbe = 0.12360491f;
    static constexpr float searchPrecision = 0.034906585f;
    static constexpr double phi = 0.6180339887498949;
    static constexpr double oneMinusPhi = 0.3819660112501051;
    // With these bounds every path narrows the bracket enough after exactly this many
    // steps; the tree checks that as it is built.
    static constexpr int searchSteps = 8;
    static constexpr int nodeCount = 2 << searchSteps;

    struct Probe {
        float angle { 0 };
        float cosine { 1 };
        float sine { 0 };
    };

    static const AngleSearchTree& shared();

    const Probe& probe(int node) const { return m_probes[std::size_t(node)]; }

private:
    AngleSearchTree();
    void descend(int node, float a, float b, float x1, float x2, int depth);
    void place(int node, float angle);

    std::array<Probe, nodeCount> m_probes {};
};

}
