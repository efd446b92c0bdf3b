#include "core/GestureLog.h"
#include "core/ReferenceComparison.h"

#include <cstdio>
#include <fstream>

using namespace scriblo;
using namespace scriblo::equivalence;

namespace {

const char* const header = R"(# What the gesture recognizer answers for the drawings of tests/core/RecognizerScenarios.cpp;
# RecognizerPinsTest compares it with these lines. Under each scenario's heading, each
# line: the drawing's index, or the first of a group of a hundred; the gesture chosen and its score, and the
# smallest distance searched as a hexadecimal float, or how many of the group had a
# result; a digest of the processed drawing and of every searched template's distance,
# the same with every kernel. A scenario's last line digests every template it made.
#
# Written, never by hand, with the shared gesture data present:
#   cmake --build build --target recognizer_pins && build/tools/core/recognizer_pins
# which first compares the recognizer with the literal reference (tools/core) on every
# drawing, bit for bit, and leaves this file as it is where any differs.
)";

}

int main(int argc, char** argv)
{
    std::filesystem::path file = argc > 1 ? std::filesystem::path(argv[1]) : pinsFile();
    if (!gesturelog::sharedGestureFolder()) {
        std::fprintf(stderr, "the real drawings' scenarios need the shared gesture data at %s/gestures\n", SCRIBLO_SHARED_DATA);
        return 1;
    }
    std::string text = header;
    bool equal = true;
    for (const auto& scenario : recognizerScenarios()) {
        ReferenceComparison comparison(scenario);
        scenario.run(comparison);
        for (const auto& difference : comparison.differences())
            std::fprintf(stderr, "%s: %s\n", scenario.name.c_str(), difference.c_str());
        int results = comparison.pinned().results();
        std::printf("%s: %d differences from the reference, %d drawings with a result\n", scenario.name.c_str(),
                    comparison.differenceCount(), results);
        if (results < scenario.minimumResults)
            std::fprintf(stderr, "%s: fewer than %d results: it no longer reaches the search\n", scenario.name.c_str(),
                         scenario.minimumResults);
        equal = equal && comparison.differenceCount() == 0 && results >= scenario.minimumResults;
        text += "= " + scenario.name + "\n";
        for (const auto& line : comparison.pinned().lines())
            text += line + "\n";
    }
    if (!equal) {
        std::fprintf(stderr, "%s is left as it was\n", file.c_str());
        return 1;
    }
    std::ofstream(file) << text;
    std::printf("wrote %s\n", file.c_str());
    return 0;
}
