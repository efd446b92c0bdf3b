// Feeds arbitrary bytes to the archive reader and, when they decode, through template
// generation and a recognition, which is what a stored "Gestures" value goes through at
// start-up.
#include "core/GestureRecognizer.h"
#include "core/KeyedUnarchiver.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace scriblo;
    auto result = KeyedUnarchiver::unarchiveGestures(Data(bytes, bytes + size));
    if (!result.gestures)
        return 0;
    GestureRecognizer recognizer;
    for (const auto& [identity, gesture] : *result.gestures)
        recognizer.addGesture(*gesture);
    for (const auto& [identity, gesture] : *result.gestures)
        recognizer.recognizeGestureWithStrokes(gesture->strokes());
    return 0;
}
