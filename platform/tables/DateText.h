// Text form of the date fields: the short date format dd/MM/yy, both ways. Two-digit years are
// read inside a window around the current year (twenty years ahead, seventy-nine back), so a
// typed year is never taken a century off.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace tables {

// The displayed text of a date; empty for a null date.
QString dateToText(const QDate &date);

// Reads "dd/MM/yy" (day and month may be one digit or padded with blanks, as the edit mask
// leaves them). Answers nothing for anything that is not a real calendar day.
std::optional<QDate> dateFromText(const QString &text, int currentYear);
std::optional<QDate> dateFromText(const QString &text);

// True for a text of nothing but blanks, separators and mask place-holders: an empty field or
// an untouched edit mask.
bool isBlankDateText(const QString &text);

} // namespace tables
