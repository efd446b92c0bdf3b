#include "core/GestureTemplate.h"

#include "core/TemplatePipeline.h"

namespace scriblo {

GestureTemplate::GestureTemplate(GestureStroke unistroke)
    : GestureTemplate(unistroke, pipeline::resampleStroke(unistroke))
{
}

GestureTemplate::GestureTemplate(GestureStroke unistroke, GestureStroke resampled)
    : m_stroke(pipeline::translateStrokeToOrigin(pipeline::scaleStrokeToSquare(std::move(resampled))))
    , m_originalStroke(std::move(unistroke))
    , m_startUnitVector(pipeline::strokeStartUnitVector(m_stroke))
{
}

std::string GestureTemplate::description() const
{
    return m_stroke.description();
}

}
