#pragma once
// The one place where the program's Windows-1250 text meets Qt's Unicode strings.

#include <QString>

#include <string>
#include <string_view>

QString NaQt(std::string_view text);
// A character that Windows-1250 lacks becomes its nearest one, or "?" (NejblizsiWin1250);
// their number is added to nepresnych when given.
std::string ZQt(const QString& text, size_t* nepresnych = nullptr);

// The text with each character that breaks a value's line turned into a blank (see BezZlomu.h),
// for editors that clean what is typed or pasted before it becomes Windows-1250.
QString BezZlomu(QString text);
