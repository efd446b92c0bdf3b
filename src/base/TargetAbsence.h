#pragma once

namespace scriblo {

// What a fresh look at the disk says of a target that a lookup missed. Only `Gone` may
// cost the user a gesture; the others keep it.
enum class TargetAbsence {
    // The list the identity belongs to was rebuilt and lacks it.
    Gone,
    // It may come back (an unmounted disk, a bookmarks file being rewritten, a hidden
    // desktop entry), or it belongs to no list this system builds (a path outside the
    // scripts folders, an identity of unknown form) and so cannot be judged at all.
    OutOfReach,
    // It is there but cannot be launched: a script that lost its execute bit.
    CannotRun,
    // A web page of a browser that is not installed: installing the browser brings it back.
    NoBrowser,
};

}
