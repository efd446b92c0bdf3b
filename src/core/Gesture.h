#pragma once

#include "core/GestureStroke.h"
#include "core/GestureTemplate.h"
#include "core/TemplateSet.h"

#include <memory>

#include <string>
#include <vector>

namespace scriblo {

// A launch target's identity with the drawings made for it: the first one, which is
// the gesture's strokes, and any the user added since, each a list of strokes in the
// order they began. Every drawing's templates count for the gesture.
class Gesture {
public:
    // Limits on what the store accepts, so that stored data can never make template
    // generation (n!·2ⁿ unistrokes) or memory run away; the drawing views end at three
    // strokes and real drawings stay far below the point limit. Each limit holds for
    // every drawing.
    static constexpr int32_t maximumStrokeCount = 3;
    static constexpr int32_t maximumPointCount = 1024;
    // The first drawing and up to seven more: enough for a hand that varies, and few
    // enough that a recognition among a hundred gestures stays within a millisecond.
    static constexpr int32_t maximumDrawingCount = 8;
    // Bytes of UTF-8: twice the longest path, room for all but the rarest bookmarklet,
    // and small enough that a full store's identities stay a small part of its archive.
    static constexpr size_t maximumIdentityLength = 8 * 1024;
    // Far beyond the 0..1000 drawing space, yet small enough that no difference of two
    // coordinates saturates the matcher's integer distance.
    static constexpr float maximumCoordinate = 1e6f;

    using Drawing = std::shared_ptr<const std::vector<GestureStroke>>;

    static bool isValidCoordinate(double value) { return value >= -maximumCoordinate && value <= maximumCoordinate; }

    Gesture() = default;
    Gesture(std::string identity, std::vector<GestureStroke> strokes)
        : m_identity(std::move(identity)), m_drawings { std::make_shared<const std::vector<GestureStroke>>(std::move(strokes)) } { }

    const std::string& identity() const { return m_identity; }
    void setIdentity(std::string identity) { m_identity = std::move(identity); }
    // The first drawing.
    const std::vector<GestureStroke>& strokes() const { return drawing(0); }
    // Replaces the first drawing and keeps the others.
    void setStrokes(std::vector<GestureStroke> strokes);

    int32_t drawingCount() const { return int32_t(m_drawings.size()); }
    // No strokes for an index without a drawing.
    const std::vector<GestureStroke>& drawing(int32_t index) const;
    // Appended after the others; `generateTemplates` makes its templates.
    void addDrawing(std::vector<GestureStroke> strokes);
    // Removing the first makes the next one first. The last drawing is kept, and an index
    // without a drawing changes nothing.
    void removeDrawing(int32_t index);

    // The templates of one drawing, none before `generateTemplates`. A recognition tries
    // the drawings in order, so among equal distances the earlier drawing wins.
    const TemplateSet& templates(int32_t drawing) const;
    // Makes the templates of every drawing that has none yet.
    void generateTemplates();

    // Of the first drawing.
    int32_t totalPointCount() const;
    // Of every drawing together, which is what the store's limits count.
    int64_t pointCountOfAllDrawings() const;
    // What `generateTemplates` makes for every drawing together.
    int64_t templateCountOfAllDrawings() const;
    static int64_t templateCountOf(size_t strokeCount);
    static int64_t pointCountOf(const std::vector<GestureStroke>& drawing);

    // Tells whether the first drawing is the one the further drawings were added to: a
    // program that knows only the first drawings may have replaced it since. Below 2⁶²,
    // so that it is kept as a non-negative integer.
    uint64_t firstDrawingFingerprint() const;

    // A copy shares the drawn strokes but not the templates.
    Gesture copy() const
    {
        Gesture copied = *this;
        copied.m_templates.clear();
        return copied;
    }

    std::string description() const;

private:
    static const std::vector<GestureStroke>& noStrokes();

    std::string m_identity;
    // Shared with the templates, which refer to the drawn strokes rather than copy them.
    std::vector<Drawing> m_drawings;
    // One set per drawing, in the drawings' order, once generated.
    std::vector<std::shared_ptr<const TemplateSet>> m_templates;
};

}
