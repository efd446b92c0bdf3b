#include "core/Utf8.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace std::literals;

TEST(Utf8Test, acceptsWellFormedTextOfEveryLength)
{
    for (std::string_view text : { ""sv, "org.gnome.Nautilus.desktop"sv, "caf\xC3\xA9"sv, "\xE2\x82\xAC"sv,
             "\xEF\xBF\xBD"sv, "\xF0\x9F\x98\x80"sv, "\xF4\x8F\xBF\xBF"sv, "a\0b"sv })
        EXPECT_TRUE(isValidUtf8(text)) << text;
}

TEST(Utf8Test, refusesWhatAJsonWriterWouldRefuse)
{
    for (const char* text : {
             "caf\xE9",           // Latin-1
             "\x80",              // continuation without a lead
             "\xC3",              // cut short
             "\xE2\x82",          // cut short
             "\xC0\xAF",          // overlong "/"
             "\xE0\x80\xAF",      // overlong, three bytes
             "\xF0\x80\x80\xAF",  // overlong, four bytes
             "\xED\xA0\x80",      // surrogate
             "\xF4\x90\x80\x80",  // past U+10FFFF
             "\xF5\x80\x80\x80",  // lead that cannot occur
             "\xE2\x28\xA1",      // a lead followed by ASCII
         })
        EXPECT_FALSE(isValidUtf8(text)) << text;
}
