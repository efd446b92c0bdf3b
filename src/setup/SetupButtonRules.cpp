#include "setup/SetupButtonRules.h"

namespace scriblo {

SetupButtons SetupButtonRules::afterRefresh(SetupButtons current, Selection selection)
{
    switch (selection) {
    case Selection::None:
        return current;
    case Selection::TargetWithoutGesture:
        return { .assign = true };
    case Selection::TargetWithGesture:
        return { .assign = true, .addDrawing = true, .show = true, .clear = true };
    case Selection::TargetWithAllDrawings:
        return { .assign = true, .show = true, .clear = true };
    }
    return current;
}

}
