// One libFuzzer executable per parser: the build names the parser in SCRIBLO_FUZZ_TARGET.
#include "FuzzEntryPoints.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

scriblo::FuzzEntryPoints::Feed chosenFeed()
{
    for (const auto& target : scriblo::FuzzEntryPoints::targets()) {
        if (std::string_view(target.name) == SCRIBLO_FUZZ_TARGET)
            return target.feed;
    }
    std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static const auto feed = chosenFeed();
    if (!feed(std::string_view(reinterpret_cast<const char*>(bytes), size)))
        std::abort();
    return 0;
}
