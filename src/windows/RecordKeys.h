// The keys the user's records are stored under: the logged-in user's id, ISO dates and the user's own
// list of activities.
#pragma once

#include "SysUtils.h"
#include "UintDM.h"

#include <vector>

// The logged-in user's id as the number the tables hold (0 when nobody is logged in).
inline qlonglong CurrentUserId() {
    return DM->UID.trimmed().toLongLong();
}

// A date text ("yyyy-mm-dd" or an unpadded "y-m-d") as "yyyy-mm-dd"; empty when it is no date.
inline QString IsoDate(const QString& text) {
    TDateTime date = 0;
    return TryISOToDate(text.trimmed(), date) ? DateToISO(date) : QString();
}

// A user's activities are stored as their ids joined by commas. Reading passes over any part that is
// no whole number; writing joins the ids with plain commas.
std::vector<qlonglong> ParseIdList(const QString& list);
QString JoinIds(const std::vector<qlonglong>& ids);
// The logged-in user's activity ids in their stored order; none when the list cannot be read.
std::vector<qlonglong> UserActivityIds();
