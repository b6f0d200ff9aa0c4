#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"

#include <gtest/gtest.h>

using vexalkit::HeapString;

TEST(ErrorString, GivesEveryMessageWordForWord) {
    const std::pair<int32_t, const char*> table[] = {
        {1, "no memory pointer provided"},
        {2, "no file handle available"},
        {3, "no file name specified"},
        {4, "file no found"},
        {5, "file is empty"},
        {6, "general i/o error"},
        {7, "file type unsupported"},
        {10, "file is not a Vexal PAK"},
        {11, "Vexal PAK corrupted"},
        {20, "file is not a Vexal MDL"},
        {21, "model version unsupported"},
        {22, "no skin found"},
        {23, "skin size invalid"},
        {24, "skin size invalid"},
        {25, "no vertex found"},
        {26, "no face found"},
        {27, "no frame found"},
        {30, "file is not a Vexal PALETTE"},
        {31, "file is not a Vexal COLORMAP"},
        {32, "file is not a Vexal PICTURE"},
        {33, "tried to load the colormap before the palette"},
        {34, "colormap already loaded for this palette"},
        {40, "scope too high (higher than 2)"},
        {41, "scope too low (lower than 0)"},
        {42, "statements found on the root scope"},
        {43, "corrupted entity definition"},
    };
    for (const auto& [code, expected] : table) {
        FBSTRING message{};
        vexlErrorString(code, message);
        EXPECT_EQ(std::string(message.data, message.length), expected) << "code " << code;
        EXPECT_EQ(message.data[message.length], '\0');
        std::free(message.data);
    }
}

TEST(ErrorString, LeavesTheStringUntouchedForCodesWithoutMessage) {
    for (int32_t code : {0, 8, 12, 13, 19, 50, 51, 52, 53, 54, 55, -1, 1000}) {
        HeapString message("fallback");
        char* before = message.get().data;
        vexlErrorString(code, message.get());
        EXPECT_EQ(message.text(), "fallback") << "code " << code;
        EXPECT_EQ(message.get().data, before);
    }
}

// A longer old text is replaced by exactly the message, and the temporary
// bit of the old length is masked off.
TEST(ErrorString, ReplacesAnyOldTextWithExactlyTheMessage) {
    for (const bool temporary : {false, true}) {
        HeapString message("a text that is much longer than any message");
        if (temporary) {
            message.get().length |= static_cast<int32_t>(0x80000000u);
        }
        const int32_t code = 4;
        vexlErrorString(code, message.get());
        EXPECT_EQ(message.text(), "file no found");
        EXPECT_EQ(message.get().length, 13);
    }
}
