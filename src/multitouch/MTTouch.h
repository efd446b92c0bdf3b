#pragma once

#include <cstddef>
#include <cstdint>

namespace scriblo {

// One contact of one frame, in the 96-byte record layout that frame consumers read.
// Fields the consumers do not read are kept (and zeroed) so the layout stays exact.
struct MTTouch {
    int32_t frame = 0;
    int32_t padding = 0;
    double timestamp = 0;
    int32_t identifier = 0;
    int32_t state = 0;
    int32_t unknown1 = 0;
    int32_t unknown2 = 0;
    float x = 0;
    float y = 0;
    float velocityX = 0;
    float velocityY = 0;
    float size = 0;
    int32_t unknown3 = 0;
    float angle = 0;
    float majorAxis = 0;
    float minorAxis = 0;
    float absoluteX = 0;
    float absoluteY = 0;
    float absoluteVelocityX = 0;
    float absoluteVelocityY = 0;
    int32_t unknown4 = 0;
    int32_t unknown5 = 0;
    float unknown6 = 0;
};

// The contact state of a finger resting on or moving over the surface.
inline constexpr int32_t MTTouchStateTouching = 4;

static_assert(sizeof(MTTouch) == 96);
static_assert(offsetof(MTTouch, timestamp) == 8);
static_assert(offsetof(MTTouch, identifier) == 16);
static_assert(offsetof(MTTouch, state) == 20);
static_assert(offsetof(MTTouch, x) == 32);
static_assert(offsetof(MTTouch, y) == 36);
static_assert(offsetof(MTTouch, velocityX) == 40);
static_assert(offsetof(MTTouch, velocityY) == 44);
static_assert(offsetof(MTTouch, size) == 48);
static_assert(offsetof(MTTouch, angle) == 56);
static_assert(offsetof(MTTouch, majorAxis) == 60);
static_assert(offsetof(MTTouch, minorAxis) == 64);
static_assert(offsetof(MTTouch, absoluteX) == 68);
static_assert(offsetof(MTTouch, unknown4) == 84);
static_assert(offsetof(MTTouch, unknown6) == 92);

}
