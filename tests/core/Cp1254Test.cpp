#include "core/text/Cp1254.h"

#include "core/text/Utf8.h"

#include <gtest/gtest.h>

using namespace mirvane;

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

bool isUndefinedByte(int byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8E || byte == 0x8F || byte == 0x90 ||
           byte == 0x9D || byte == 0x9E;
}

std::string byteString(std::initializer_list<int> bytes) {
    std::string result;
    for (const int byte : bytes) {
        result += static_cast<char>(byte);
    }
    return result;
}

} // namespace

TEST(Cp1254, TurkishLettersAndSpecialsMapBothWays) {
    const std::string letters = "ĞğİıŞşÇçÖöÜü€‚„…‘’“”–—™Ÿ";
    const std::string bytes =
        byteString({0xD0, 0xF0, 0xDD, 0xFD, 0xDE, 0xFE, 0xC7, 0xE7, 0xD6, 0xF6, 0xDC, 0xFC,
                    0x80, 0x82, 0x84, 0x85, 0x91, 0x92, 0x93, 0x94, 0x96, 0x97, 0x99, 0x9F});
    EXPECT_EQ(cp1254::fromUtf8(letters), bytes);
    EXPECT_EQ(cp1254::toUtf8(bytes), letters);
    EXPECT_EQ(cp1254::fromUtf8("Faiz 9 %"), "Faiz 9 %");
}

TEST(Cp1254, EveryDefinedByteRoundTripsAndUndefinedOnesDecodeToReplacement) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string decoded = cp1254::toUtf8(one);
        if (isUndefinedByte(byte)) {
            EXPECT_EQ(decoded, Replacement) << "byte " << byte;
            EXPECT_EQ(cp1254::fromUtf8(decoded), "?");
        } else {
            EXPECT_EQ(cp1254::fromUtf8(decoded), one) << "byte " << byte;
            EXPECT_EQ(utf8::characterCount(decoded), 1u);
        }
    }
}

TEST(Cp1254, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(cp1254::fromUtf8("Ž"), "?"); // in Windows-1252 at 8E, not in 1254
    EXPECT_EQ(cp1254::fromUtf8("a中b"), "a?b");
    EXPECT_EQ(cp1254::fromUtf8("😀"), "?");
    EXPECT_EQ(cp1254::fromUtf8(Replacement), "?");

    for (const char32_t missing : {U'₺', U'Ω', U'Ž', U'中', char32_t(0xFFFD)}) {
        EXPECT_FALSE(cp1254::holds(missing)) << std::uint32_t(missing);
    }
    for (const char32_t held : {U'?', U'a', U'ş', U'İ', U'€', U'§'}) {
        EXPECT_TRUE(cp1254::holds(held)) << std::uint32_t(held);
    }
}

TEST(Cp1254, MalformedUtf8BecomesQuestionMarksWithoutSwallowingText) {
    const std::string cutInTheMiddle = std::string("a\xE2\x82") + "b";
    const std::string beyondUnicode = std::string("\xF5\x80\x80\x80") + "x";
    EXPECT_EQ(cp1254::fromUtf8("\x80"), "?");   // stray continuation byte
    EXPECT_EQ(cp1254::fromUtf8("a\xC3"), "a?"); // cut at the end
    EXPECT_EQ(cp1254::fromUtf8(cutInTheMiddle), "a?b");
    EXPECT_EQ(cp1254::fromUtf8("\xC0\xAF"), "??");    // overlong '/'
    EXPECT_EQ(cp1254::fromUtf8("\xED\xA0\x80"), "?"); // surrogate
    EXPECT_EQ(cp1254::fromUtf8(beyondUnicode), "????x");
}

TEST(Cp1254, CountingAndCuttingGoByCharacters) {
    EXPECT_EQ(utf8::characterCount(""), 0u);
    EXPECT_EQ(utf8::characterCount("ığüşöçİ"), 7u);
    EXPECT_EQ(utf8::leftCharacters("İstanbul", 2), "İs");
    EXPECT_EQ(utf8::leftCharacters("şş", 10), "şş");
    EXPECT_EQ(utf8::leftCharacters("ab", 0), "");
    EXPECT_EQ(utf8::codePoints("aİ\xFF"), (std::u32string{U'a', U'İ', U'\uFFFD'}));

    // A cut text encodes to at most as many bytes as characters were kept, even
    // when the text is broken.
    for (const std::string_view text : {"ığüş", "a\xC3", "\xE2\x82\xE2\x82\xAC", "x\x80y\xF0"}) {
        EXPECT_EQ(cp1254::fromUtf8(text).size(), utf8::characterCount(text)) << text;
        EXPECT_EQ(cp1254::fromUtf8(utf8::leftCharacters(text, 2)).size(),
                  std::min<std::size_t>(2, utf8::characterCount(text)));
    }
}

// Paths on Windows carry characters beyond the code page's plane through the same writer.
TEST(Utf8, EveryEncodedLengthReadsBackAsWritten) {
    const std::u32string points{U'a', U'\u00E7', U'\u20AC', U'\U0001F600', U'\U0010FFFF'};
    std::string text;
    for (const char32_t point : points) {
        utf8::append(text, point);
    }
    EXPECT_EQ(text, "a\xC3\xA7\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(utf8::codePoints(text), points);
    EXPECT_EQ(utf8::characterCount(text), points.size());
    // Overlong forms, surrogates and values past U+10FFFF are malformed.
    EXPECT_EQ(utf8::codePoints("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80").find_first_not_of(U'\uFFFD'),
              std::u32string::npos);
}
