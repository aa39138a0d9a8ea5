#include "ui/Text.h"

#include "core/BezZlomu.h"
#include "core/Win1250.h"

QString NaQt(std::string_view text) {
    std::u16string utf16 = Win1250NaUtf16(text);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::string ZQt(const QString& text, size_t* nepresnych) {
    return Utf16NaWin1250(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                              static_cast<size_t>(text.size())),
                          nepresnych);
}

QString BezZlomu(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 128 && LameRadek(static_cast<char>(c.unicode())))
            c = QLatin1Char(' ');
    return text;
}
