#include "core/AngleSearchTree.h"

#include <cassert>
#include <cmath>

namespace scriblo {

const AngleSearchTree& AngleSearchTree::shared()
{
    static const AngleSearchTree tree;
    return tree;
}

AngleSearchTree::AngleSearchTree()
{
    place(0, -firstProbe);
    place(1, firstProbe);
    descend(1, -searchBound, searchBound, -firstProbe, firstProbe, 0);
}

void AngleSearchTree::place(int node, float angle)
{
    m_probes[std::size_t(node)] = { angle, std::cos(angle), std::sin(angle) };
}

// Walks both outcomes of every comparison with the search's own float steps, so the
// angles are those the search computes, to the bit.
void AngleSearchTree::descend(int node, float a, float b, float x1, float x2, int depth)
{
    if (depth == searchSteps)
        return;
    float closedFromAbove = float(phi * a + oneMinusPhi * x2);
    place(2 * node, closedFromAbove);
    // The search stops when the bracket is narrow enough; a path that stopped earlier or
    // later than the others would need a tree of another shape.
    assert((std::fabs(x2 - a) <= searchPrecision) == (depth + 1 == searchSteps));
    descend(2 * node, a, x2, closedFromAbove, x1, depth + 1);
    float closedFromBelow = float(oneMinusPhi * x1 + phi * b);
    place(2 * node + 1, closedFromBelow);
    assert((std::fabs(b - x1) <= searchPrecision) == (depth + 1 == searchSteps));
    descend(2 * node + 1, x1, b, x2, closedFromBelow, depth + 1);
}

}
