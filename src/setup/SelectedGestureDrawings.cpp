#include "setup/SelectedGestureDrawings.h"

#include "setup/DrawingNumberBar.h"
#include "setup/GestureSetupView.h"
#include "setup/GestureSetupWindow.h"

namespace scriblo {

SelectedGestureDrawings::SelectedGestureDrawings(GestureSetupWindow& window, GestureSetupView& view)
    : m_window(window)
    , m_view(view)
{
}

int32_t SelectedGestureDrawings::nextIndex(const std::optional<Shown>& shown, const std::string& identity, int32_t count)
{
    if (!shown || shown->identity != identity || count <= 0)
        return 0;
    return (shown->index + 1) % count;
}

void SelectedGestureDrawings::showNext(const std::shared_ptr<const Gesture>& gesture)
{
    int32_t count = gesture->drawingCount();
    int32_t index = nextIndex(m_shown, gesture->identity(), count);
    // The replay redraws the first drawing of what it is given.
    m_view.showGesture(index == 0 ? gesture : std::make_shared<const Gesture>(gesture->identity(), gesture->drawing(index)));
    m_shown = Shown { gesture->identity(), index };
    m_window.drawingNumber->showNumber(count > 1 ? std::optional(std::pair(index + 1, count)) : std::nullopt);
}

void SelectedGestureDrawings::forget()
{
    m_shown.reset();
    m_window.drawingNumber->showNumber(std::nullopt);
}

}
