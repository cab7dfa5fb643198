// The keys the user's records are stored under: the logged-in user's id and ISO dates.
#pragma once

#include "SysUtils.h"
#include "UintDM.h"

// The logged-in user's id as the number the tables hold (0 when nobody is logged in).
inline qlonglong CurrentUserId() {
    return DM->UID.trimmed().toLongLong();
}

// A date text ("yyyy-mm-dd" or an unpadded "y-m-d") as "yyyy-mm-dd"; empty when it is no date.
inline QString IsoDate(const QString& text) {
    TDateTime date = 0;
    return TryISOToDate(text.trimmed(), date) ? DateToISO(date) : QString();
}
