#pragma once

#include "core/GestureStroke.h"
#include "core/GestureTemplate.h"
#include "core/TemplateSet.h"

#include <memory>

#include <string>
#include <vector>

namespace scriblo {

// A launch target's identity with the strokes drawn for it, in the order they began.
class Gesture {
public:
    // Limits on what the store accepts, so that stored data can never make template
    // generation (n!·2ⁿ unistrokes) or memory run away; the drawing views end at three
    // strokes and real drawings stay far below the point limit.
    static constexpr int32_t maximumStrokeCount = 3;
    static constexpr int32_t maximumPointCount = 1024;
    // Bytes of UTF-8: twice the longest path, room for all but the rarest bookmarklet,
    // and small enough that a full store's identities stay a small part of its archive.
    static constexpr size_t maximumIdentityLength = 8 * 1024;
    // Far beyond the 0..1000 drawing space, yet small enough that no difference of two
    // coordinates saturates the matcher's integer distance.
    static constexpr float maximumCoordinate = 1e6f;

    static bool isValidCoordinate(double value) { return value >= -maximumCoordinate && value <= maximumCoordinate; }

    Gesture() = default;
    Gesture(std::string identity, std::vector<GestureStroke> strokes)
        : m_identity(std::move(identity)), m_strokes(std::make_shared<const std::vector<GestureStroke>>(std::move(strokes))) { }

    const std::string& identity() const { return m_identity; }
    void setIdentity(std::string identity) { m_identity = std::move(identity); }
    const std::vector<GestureStroke>& strokes() const { return m_strokes ? *m_strokes : noStrokes(); }
    void setStrokes(std::vector<GestureStroke> strokes) { m_strokes = std::make_shared<const std::vector<GestureStroke>>(std::move(strokes)); }
    const TemplateSet& templates() const { return m_templates ? *m_templates : TemplateSet::none(); }

    void generateTemplates();

    int32_t totalPointCount() const;

    // A copy shares the drawn strokes but not the templates.
    Gesture copy() const
    {
        Gesture copied = *this;
        copied.m_templates.reset();
        return copied;
    }

    std::string description() const;

private:
    static const std::vector<GestureStroke>& noStrokes();

    std::string m_identity;
    // Shared with the templates, which refer to the drawn strokes rather than copy them.
    std::shared_ptr<const std::vector<GestureStroke>> m_strokes;
    std::shared_ptr<const TemplateSet> m_templates;
};

}
