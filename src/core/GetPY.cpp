#include "GetPY.h"

// Placeholder until the pinyin tables land.
QString GetPYInitials(const QString& text, const QString&) { return text; }
