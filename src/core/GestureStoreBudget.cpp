#include "core/GestureStoreBudget.h"

#include "core/KeyedUnarchiver.h"

namespace scriblo {

GestureStoreBudget::GestureStoreBudget(const GestureDictionary& gestures)
{
    for (const auto& [identity, gesture] : gestures)
        add(*gesture);
}

void GestureStoreBudget::add(const Gesture& gesture)
{
    m_points += gesture.pointCountOfAllDrawings();
    m_templates += gesture.templateCountOfAllDrawings();
}

void GestureStoreBudget::remove(const Gesture& gesture)
{
    m_points -= gesture.pointCountOfAllDrawings();
    m_templates -= gesture.templateCountOfAllDrawings();
}

bool GestureStoreBudget::fitsDrawing(size_t strokeCount, int64_t pointCount) const
{
    return m_points + pointCount <= KeyedUnarchiver::maximumPointCountOfAllDrawings
        && m_templates + Gesture::templateCountOf(strokeCount) <= KeyedUnarchiver::maximumTemplateCountOfAllDrawings;
}

void GestureStoreBudget::addDrawing(size_t strokeCount, int64_t pointCount)
{
    m_points += pointCount;
    m_templates += Gesture::templateCountOf(strokeCount);
}

std::optional<std::string> GestureStoreBudget::excess() const
{
    if (m_points > KeyedUnarchiver::maximumPointCountOfAllDrawings)
        return "the store's drawings would hold " + std::to_string(m_points) + " points, of at most "
            + std::to_string(KeyedUnarchiver::maximumPointCountOfAllDrawings);
    if (m_templates > KeyedUnarchiver::maximumTemplateCountOfAllDrawings)
        return "the store's drawings would make " + std::to_string(m_templates) + " templates, of at most "
            + std::to_string(KeyedUnarchiver::maximumTemplateCountOfAllDrawings)
            + " (a drawing of one stroke makes 2, of two 8, of three 48)";
    return std::nullopt;
}

// Gestures are extended in identity order, each drawing after the one before, until the
// limits are reached: which drawings are kept does not depend on the archive's order.
bool GestureStoreBudget::attachMoreDrawings(GestureDictionary& gestures, std::map<std::string, KeyedUnarchiver::MoreDrawings>& more,
                                            std::vector<std::string>& problems)
{
    bool allFit = true;
    GestureStoreBudget budget(gestures);
    for (auto& [identity, gesture] : gestures) {
        auto found = more.find(identity);
        if (found == more.end() || found->second.firstDrawingFingerprint != gesture->firstDrawingFingerprint())
            continue;
        Gesture extended = gesture->copy();
        for (auto& drawing : found->second.drawings) {
            if (!budget.fitsDrawing(drawing.size(), Gesture::pointCountOf(drawing))) {
                allFit = false;
                problems.push_back("'" + identity + "': drawings beyond the store's limits were left out");
                break;
            }
            budget.addDrawing(drawing.size(), Gesture::pointCountOf(drawing));
            extended.addDrawing(std::move(drawing));
        }
        gesture = std::make_shared<const Gesture>(std::move(extended));
    }
    return allFit;
}

}
