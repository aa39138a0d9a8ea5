#pragma once
// The one place where the program's Windows-1250 text meets Qt's Unicode strings.

#include <QString>

#include <string>
#include <string_view>

QString NaQt(std::string_view text);
// A character that Windows-1250 lacks becomes "?".
std::string ZQt(const QString& text);
