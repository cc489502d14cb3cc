// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QtPlugin>

// The keys of the maps passed across the interface.
namespace WebSearchKeys {
// The birth as the main screen holds it: "date" a QDate, "time" a QTime.
inline constexpr char date[] = "date";
inline constexpr char time[] = "time";
// The place as typed into the main screen's boxes (QString each).
inline constexpr char city[] = "city";
inline constexpr char state[] = "state";
inline constexpr char country[] = "country";
// The place the user chose: "latitude" and "longitude" in degrees (north and
// east positive, double), "zoneId" (IANA name) and its names under the keys
// above (the state may be empty); the zone's size in
// "zoneHours" and "zoneMinutes" (int) and the "dst" tick (bool) only when the
// clock at the birth moment existed. "zoneSign" (text, "-" for a clock ahead
// of Universal Time, "+" behind) only when the longitude would give the
// other direction; "zoneNote" (text) a few words for beside the zone, when
// it needs them.
inline constexpr char latitude[] = "latitude";
inline constexpr char longitude[] = "longitude";
inline constexpr char zoneId[] = "zoneId";
inline constexpr char zoneHours[] = "zoneHours";
inline constexpr char zoneMinutes[] = "zoneMinutes";
inline constexpr char zoneSign[] = "zoneSign";
inline constexpr char dst[] = "dst";
inline constexpr char zoneNote[] = "zoneNote";
} // namespace WebSearchKeys

// The web search component: a plugin that shows the user web search results
// for a query. The program creates a fresh instance for every search and
// releases it afterwards.
class WebSearchInterface {
public:
    virtual ~WebSearchInterface() = default;
    // Presents results for `query`; `site` is the address of the program's
    // home page, naming who asks; `birth` the moment whose clock the places
    // are described at. Returns the place the user chose as a map of the
    // keys above, or an empty QVariant when none was chosen.
    virtual QVariant Search(const QString &query, const QString &site, const QVariantMap &birth) = 0;
};

#define QUORVEL_WEBSEARCH_IID "example.quorvel.WebSearchInterface/2.0"
Q_DECLARE_INTERFACE(WebSearchInterface, QUORVEL_WEBSEARCH_IID)
