// How often the recognizer names the right gesture when each gesture keeps 1, 3 or 5
// drawings, on the mixed multistroke set: for each user, the first N medium-speed
// drawings of each type are stored, and every other drawing of that user is recognised.
//
//   mixed_set_accuracy [USER...]     users by number; the default is six, three who drew
//                                    with a stylus (10 11 12) and three with a finger
//                                    (41 58 61)

#include "core/GestureLog.h"
#include "core/GestureRecognizer.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace scriblo;

namespace {

struct Sample {
    std::string user;
    std::string speed;
    std::string type;
    std::string file;
    std::vector<GestureStroke> strokes;
};

// "10-stylus-medium-H-01.xml": user, input, speed, type, number.
std::optional<Sample> sampleOf(gesturelog::DrawnGesture drawing)
{
    std::vector<std::string> parts;
    std::string stem = drawing.file.substr(0, drawing.file.find('.'));
    for (size_t start = 0;;) {
        size_t dash = stem.find('-', start);
        parts.push_back(stem.substr(start, dash - start));
        if (dash == std::string::npos)
            break;
        start = dash + 1;
    }
    if (parts.size() < 5)
        return std::nullopt;
    return Sample { parts[0], parts[2], parts[3], drawing.file, std::move(drawing.strokes) };
}

struct Tally {
    int right = 0;
    int total = 0;
    double percent() const { return total ? 100.0 * right / total : 0; }
};

// The first `count` storable medium-speed drawings of each type are the user's gestures;
// the rest of the user's drawings are recognised against them.
Tally recogniseUser(const std::vector<const Sample*>& samples, int count)
{
    std::map<std::string, Gesture> gestures;
    std::set<const Sample*> stored;
    for (const Sample* sample : samples) {
        if (sample->speed != "medium" || sample->strokes.size() > size_t(Gesture::maximumStrokeCount))
            continue;
        auto found = gestures.find(sample->type);
        if (found == gestures.end())
            gestures.emplace(sample->type, Gesture(sample->type, sample->strokes));
        else if (found->second.drawingCount() < count)
            found->second.addDrawing(sample->strokes);
        else
            continue;
        stored.insert(sample);
    }
    GestureRecognizer recognizer;
    for (auto& [type, gesture] : gestures)
        recognizer.addGesture(std::move(gesture));
    Tally tally;
    for (const Sample* sample : samples) {
        if (stored.contains(sample))
            continue;
        auto result = recognizer.recognizeGestureWithStrokes(sample->strokes);
        tally.right += result && result->gestureIdentity() == sample->type;
        ++tally.total;
    }
    return tally;
}

}

int main(int argc, char** argv)
{
    std::set<std::string> users;
    for (int i = 1; i < argc; ++i)
        users.insert(argv[i]);
    if (users.empty())
        users = { "10", "11", "12", "41", "58", "61" };
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder) {
        std::fprintf(stderr, "mixed_set_accuracy: no shared gesture data at %s/gestures\n", SCRIBLO_SHARED_DATA);
        return 1;
    }
    gesturelog::UnpackedArchive unpacked(*folder / "mmg" / "mmg.tar.xz");
    if (!unpacked.folder()) {
        std::fprintf(stderr, "mixed_set_accuracy: could not unpack %s\n", (*folder / "mmg" / "mmg.tar.xz").c_str());
        return 1;
    }
    std::vector<Sample> samples;
    for (const auto& file : gesturelog::gestureLogFiles(*unpacked.folder())) {
        auto drawing = gesturelog::readGestureLog(file);
        auto sample = drawing ? sampleOf(std::move(*drawing)) : std::nullopt;
        if (sample && users.contains(sample->user))
            samples.push_back(std::move(*sample));
    }
    std::map<std::string, std::vector<const Sample*>> byUser;
    for (const auto& sample : samples)
        byUser[sample.user].push_back(&sample);
    std::printf("%zu users, %zu drawings\ndrawings per gesture\tright\trecognised\tpercent right\n", byUser.size(), samples.size());
    for (int count : { 1, 3, 5 }) {
        Tally all;
        for (const auto& [user, drawings] : byUser) {
            Tally tally = recogniseUser(drawings, count);
            all.right += tally.right;
            all.total += tally.total;
        }
        std::printf("%d\t%d\t%d\t%.1f\n", count, all.right, all.total, all.percent());
    }
    return 0;
}
