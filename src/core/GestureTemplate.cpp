#include "core/GestureTemplate.h"

#include "core/TemplatePipeline.h"

namespace scriblo {

GestureTemplate::GestureTemplate(GestureStroke unistroke)
    : m_originalStroke(std::move(unistroke))
{
    using namespace pipeline;
    m_stroke = translateStrokeToOrigin(scaleStrokeToSquare(resampleStroke(m_originalStroke)));
    m_startUnitVector = strokeStartUnitVector(m_stroke);
}

std::string GestureTemplate::description() const
{
    return m_stroke.description();
}

}
