#pragma once

#include "install/MoveAlert.h"

namespace scriblo {

// The move alerts as Qt message boxes. They run before any window of the application
// exists, so they are windows of their own, brought to the front.
class QtMoveAlert final : public MoveAlert {
public:
    MoveAnswer offer(const MoveOffer& offer) override;
    void showFailure() override;
};

}
