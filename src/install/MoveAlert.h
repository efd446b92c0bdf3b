#pragma once

#include <vector>

namespace scriblo {

// The offer's texts in English; each is also the key of its translation in the
// "MoveApplication" context.
struct MoveOffer {
    const char* message;
    // Sentences of the informative text, joined with a space.
    std::vector<const char*> informative;
};

struct MoveAnswer {
    bool move;
    bool suppressFromNowOn;
};

// The two alerts that moving the program shows.
class MoveAlert {
public:
    virtual ~MoveAlert() = default;

    // Asks whether to move, with "Move to Applications Folder" as the default button,
    // "Do Not Move" on Escape, and a check box that stops the offer for good.
    virtual MoveAnswer offer(const MoveOffer& offer) = 0;
    // Says "Could not move to Applications folder" and waits for the user.
    virtual void showFailure() = 0;
};

}
