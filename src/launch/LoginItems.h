#pragma once

namespace scriblo {

// The user's list of programs started at login, as far as Scriblo's own item goes.
class LoginItems {
public:
    virtual ~LoginItems() = default;

    // Whether an item in the list starts this very program; false when the list cannot
    // be read.
    virtual bool containsApplication() = 0;
    // Adds an item for this program when there is none, or removes the first one that
    // starts it. Other items are never touched; a list that cannot be written is left as it is.
    virtual void setContainsApplication(bool contains) = 0;
};

}
