// Pinyin initials: every Chinese character of a name becomes the upper-case initial of its reading.
#pragma once

#include <QString>

// The initials text of `text`; a character with no known initial gives `def`. Other characters pass.
QString GetPYInitials(const QString& text, const QString& def = QString());
