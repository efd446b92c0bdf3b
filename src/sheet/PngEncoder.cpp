#include "sheet/PngEncoder.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>

namespace scriblo {

namespace {

void append(png_structp png, png_bytep data, size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void flush(png_structp) { }

// The library reports a failure by jumping back to the setjmp here, so nothing between
// the two may need its destructor run: the rows and the output belong to the caller.
bool writeRows(png_structp png, png_infop info, const QImage& image, std::string& bytes)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &bytes, append, flush);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(image.dotsPerMeterX()), png_uint_32(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    // Most of a page is white, and its lines are a pixel or two wide: unfiltered rows
    // compress best there, and choosing a filter for each row, as libpng does unless told,
    // took a sixth of a page's time. zlib's fastest level finds the long runs of white as
    // well as its run-length strategy does, at the same speed, and leaves smaller files.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_write_info(png, info);
    // The pixels are 32-bit words 0xffRRGGBB; in memory that is B, G, R and the unused byte.
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, nullptr);
    return true;
}

}

std::optional<std::string> PngEncoder::encode(const QImage& image)
{
    if (image.isNull())
        return std::nullopt;
    const QImage pixels = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return std::nullopt;
    png_infop info = png_create_info_struct(png);
    std::string bytes;
    bool written = info && writeRows(png, info, pixels, bytes);
    png_destroy_write_struct(&png, &info);
    if (!written)
        return std::nullopt;
    return bytes;
}

}
