#include "setup/SetupButtonRules.h"

namespace scriblo {

SetupButtons SetupButtonRules::afterRefresh(SetupButtons current, Selection selection)
{
    switch (selection) {
    case Selection::None:
        return current;
    case Selection::TargetWithoutGesture:
        return { true, false, false };
    case Selection::TargetWithGesture:
        return { true, true, true };
    }
    return current;
}

}
