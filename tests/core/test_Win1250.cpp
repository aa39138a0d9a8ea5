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

TEST(Win1250, ZnakMimoSaduJeOtaznik) {
    const struct {
        std::string utf8, win;
    } pripady[] = {
        {"ñ", "?"},     // Latin-1 letter the set lacks
        {"日本", "??"}, // CJK
        {"a😀b", "a?b"}, // outside the BMP: one character, one "?"
        {"\xff", "?"},  // invalid UTF-8
        {"\xc3", "?"},  // cut sequence
    };
    for (const auto& p : pripady)
        EXPECT_EQ(Utf8NaWin1250(p.utf8), p.win) << p.utf8;
    for (std::string useknuta : {"\xe2\x82", "\xf0\x9f\x98", "\xc3\xc3"}) {
        std::string win = Utf8NaWin1250(useknuta + "z");
        EXPECT_EQ(win.back(), 'z') << "a cut sequence swallows what follows";
        win.pop_back();
        EXPECT_FALSE(win.empty());
        EXPECT_EQ(win.find_first_not_of('?'), std::string::npos);
    }
    EXPECT_EQ(Utf16NaWin1250(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(UnicodeNaWin1250(U'ñ'), -1);
}

} // namespace
