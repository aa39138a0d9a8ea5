// Windows-1250 against UTF-16 and UTF-8.

#include "core/Win1250.h"

#include <gtest/gtest.h>

namespace {

std::string VsechnyBajty() {
    std::string vse;
    for (int b = 0; b < 256; ++b)
        vse += static_cast<char>(b);
    return vse;
}

TEST(Win1250, KazdyBajtProjdeTamAZpet) {
    const std::string vse = VsechnyBajty();
    EXPECT_EQ(Utf16NaWin1250(Win1250NaUtf16(vse)), vse);
    EXPECT_EQ(Utf8NaWin1250(Win1250NaUtf8(vse)), vse);
    EXPECT_EQ(Win1250NaUtf16(vse).size(), 256u);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(UnicodeNaWin1250(Win1250NaUnicode(static_cast<unsigned char>(b))), b) << b;
}

TEST(Win1250, ZnamePrevody) {
    EXPECT_EQ(Utf8NaWin1250("Formát oblepky č. 1"), "Form\xe1t oblepky \xe8. 1");
    EXPECT_EQ(Utf8NaWin1250("ŽŠŤĽ€"), "\x8e\x8a\x8d\xbc\x80");
    EXPECT_EQ(Win1250NaUtf8("\x9e\xe1\xe8"), "žáč");
}

// Each character the set lacks becomes its nearest neighbour, "?" only when it has none, and
// every such character is counted.
TEST(Win1250, NejblizsiZnak) {
    const struct {
        std::string utf8, win;
        size_t nepresnych;
    } pripady[] = {
        {"Crème brûlée",
         "Creme brul\xe9"
         "e",
         2},                                     // é is in the set, è and û are not
        {"ñ ø Ø ł ǖ Ā", "n o O \xb3 \xfc A", 5}, // ł is in the set
        {"−5 a‐b a―b",
         "-5 a-b a\x97"
         "b",
         3},                                  // minus, hyphen, horizontal bar
        {"‛x‟ 5′ 6″", "\x91x\x93 5' 6\"", 4}, // quotes and primes
        {"Ａ𝐁ẞ", "AB\xdf", 3},                // compatibility forms
        {"Жx日本😀", "?x???", 4},              // no neighbour
        {"\xff\xc3", "??", 2},                // invalid UTF-8
        {"\xc0\xaf", "??", 2},                // overlong "/"
        {"\xe0\x80\xaf", "???", 3},           // overlong "/" in three bytes
        {"\xed\xa0\x80", "???", 3},           // a surrogate half
        {"\xf4\x90\x80\x80", "????", 4},      // above U+10FFFF
        // Letters with a base letter, comma below as cedilla, spacing accents, micro.
        {"Ð ð Ŀ ŀ Ŋ ŋ ƒ Ƶ ƶ ɨ ƀ", "\xd0 d L l N n f Z z i b", 11},
        {"Ș ș Ț ț", "\xaa \xba \xde \xfe", 4},
        {"ʻ ˆ ˜ μ", "\x91 ^ ~ \xb5", 4},
        // Ligatures and digraphs become their letters, zero-width characters nothing.
        {"ﬁ ﬂ ﬀ ﬃ Æ æ Œ œ Ĳ ĳ ǅ ǆ", "fi fl ff ffi AE ae OE oe IJ ij D\x9e d\x9e", 12},
        {"a\u200bb\ufeffc\u2060d", "abcd", 3},
        // Decomposed letters are composed: e + U+0301, U+030C, U+0308, U+030A.
        {"e\u0301 e\u030c u\u0308 u\u030a Z\u030c", "\xe9 \xec \xfc \xf9 \x8e", 0},
        {"u\u0308\u0304 e\u0300 q\u0301 \u0301", "\xfc e q ", 4}, // ǖ, è; no letter
        // A mark after sixteen plain bytes, and after seventeen, still composes.
        {"0123456789abcdee\u0301", "0123456789abcde\xe9", 0},
        {"0123456789abcdefe\u0301x", "0123456789abcdef\xe9x", 0},
        {"Žluťoučký kůň – „ano“",
         "\x8elu\x9dou\xe8k\xfd k\xf9\xf2 \x96 \x84"
         "ano\x93",
         0},
    };
    for (const auto& p : pripady) {
        size_t nepresnych = 0;
        EXPECT_EQ(Utf8NaWin1250(p.utf8, &nepresnych), p.win) << p.utf8;
        EXPECT_EQ(nepresnych, p.nepresnych) << p.utf8;
    }
    for (std::string useknuta : {"\xe2\x82", "\xf0\x9f\x98", "\xc3\xc3"}) {
        std::string win = Utf8NaWin1250(useknuta + "z");
        EXPECT_EQ(win.back(), 'z') << "a cut sequence swallows what follows";
        win.pop_back();
        EXPECT_FALSE(win.empty());
        EXPECT_EQ(win.find_first_not_of('?'), std::string::npos);
    }
    size_t nepresnych = 0;
    EXPECT_EQ(Utf16NaWin1250(u"e\u0301\ufb01\u200b", &nepresnych), "\xe9"
                                                                   "fi");
    std::string latin1 = "\xc6\xe6 \xe9\xe8";
    EXPECT_EQ(Latin1NaWin1250NaMiste(latin1), 3u);
    EXPECT_EQ(latin1, "AEae \xe9"
                      "e");
    EXPECT_EQ(nepresnych, 2u);
    nepresnych = 0;
    EXPECT_EQ(Utf16NaWin1250(u"a\U0001F600b\u00e8", &nepresnych), "a?be");
    EXPECT_EQ(Utf16NaWin1250(std::u16string{u'a', char16_t{0xD800}, u'b'}, &nepresnych), "a?b");
    EXPECT_EQ(nepresnych, 3u);
    EXPECT_EQ(UnicodeNaWin1250(U'ñ'), -1);
    EXPECT_TRUE(JePlatneUtf8("Žluťoučký kůň 😀"));
    for (std::string_view spatne : {"\xc0\xaf", "a\xe8", "\xed\xa0\x80", "\xc3"})
        EXPECT_FALSE(JePlatneUtf8(spatne)) << spatne;
}

// Plain text goes sixteen bytes at a time: a letter, a broken byte or a mark at each place of
// a few such blocks, converted into a new text and in its own buffer alike.
TEST(Win1250, KazdeMistoBloku) {
    const std::string prosty = "The quick brown fox jumps over the lazy dog 0123456789";
    const struct {
        std::string utf8, win;
    } vlozene[] = {
        {"\xc4\x8d", "\xe8"},     // č
        {"\xe2\x82\xac", "\x80"}, // €
        {"\xff", "?"},            // no UTF-8
        {"e\xcc\x81", "\xe9"},    // e and a mark: é
        {" \xcc\x81", " "},       // a mark without a letter
    };
    for (const auto& v : vlozene) {
        for (size_t k = 0; k <= prosty.size(); ++k) {
            const std::string utf8 = prosty.substr(0, k) + v.utf8 + prosty.substr(k);
            const std::string win = prosty.substr(0, k) + v.win + prosty.substr(k);
            EXPECT_EQ(Utf8NaWin1250(utf8), win) << v.utf8 << " at " << k;
            std::string naMiste = utf8;
            Utf8NaWin1250NaMiste(naMiste);
            EXPECT_EQ(naMiste, win) << v.utf8 << " at " << k;
        }
    }
}

} // namespace
