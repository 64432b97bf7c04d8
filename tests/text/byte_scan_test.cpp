#include "text/byte_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

// The answer byte by byte, which the block search must match wherever the hit falls.
size_t FirstOfByHand(const std::string& text, const std::string& values) {
    const size_t at = text.find_first_of(values);
    return at == std::string::npos ? text.size() : at;
}

TEST(FindFirstOf, AgreesWithASearchByteByByte) {
    const std::vector<std::string> sets = {"[", "[{;", "\r\n", "]", "}", "abc\xff"};
    uint64_t seed = 0x9E3779B97F4A7C15;
    for (const std::string& values : sets) {
        const ByteSet set = ByteSetOf(values.c_str());
        for (size_t length = 0; length < 80; ++length) {
            for (int32_t trial = 0; trial < 20; ++trial) {
                std::string text(length, 'x');
                // Sparse hits, at any offset within and across the 16-byte blocks.
                for (char& ch : text) {
                    seed ^= seed << 13;
                    seed ^= seed >> 7;
                    seed ^= seed << 17;
                    if (seed % 23 == 0)
                        ch = values[seed % values.size()];
                    else if (seed % 7 == 0)
                        ch = static_cast<char>(seed >> 8);
                }
                const unsigned char* begin = Bytes(text);
                const unsigned char* found = FindFirstOf(begin, begin + text.size(), set);
                ASSERT_EQ(static_cast<size_t>(found - begin), FirstOfByHand(text, values))
                    << "set '" << values << "' in a text of " << length;
            }
        }
    }
}

TEST(FindFirstOf, EmptyRunAndNoHit) {
    const std::string text(100, 'x');
    const ByteSet set = ByteSetOf("[");
    EXPECT_EQ(FindFirstOf(Bytes(text), Bytes(text), set), Bytes(text));
    EXPECT_EQ(FindFirstOf(Bytes(text), Bytes(text) + text.size(), set), Bytes(text) + text.size());
}

}  // namespace
