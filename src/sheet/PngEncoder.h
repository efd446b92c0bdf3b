#pragma once

#include <QImage>

#include <optional>
#include <string>

namespace scriblo {

// Turns a painted page into PNG bytes, tuned for what a sheet is: large areas of one
// colour with thin lines and text. Qt's own writer tries every row filter on every row,
// which such a page does not repay. The image's resolution is kept; a page is opaque, so
// an image with an alpha channel is written without it.
class PngEncoder {
public:
    // Nothing when the image is empty or the library fails (it runs out of memory).
    static std::optional<std::string> encode(const QImage& image);
};

}
