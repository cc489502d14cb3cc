// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Tara.h"

#include "ephemeris/modEphemeris.h"

#include <QStringList>

#include <array>

namespace {

struct TaraInfo {
    const char *name;
    const char *meaning;
    bool favourable; // Vipat, Pratyari and Vadha are not
};

// The nine taras in the order of the count, from the classical texts on
// Ashtakoota matching (the tara kuta).
constexpr std::array<TaraInfo, taraCount> taras{{
    {"Janma", "birth", true},
    {"Sampat", "wealth", true},
    {"Vipat", "danger", false},
    {"Kshema", "well-being", true},
    {"Pratyari", "obstacle", false},
    {"Sadhana", "achievement", true},
    {"Vadha", "death", false},
    {"Mitra", "friend", true},
    {"Parama Mitra", "great friend", true},
}};

// Each favourable direction earns half the full score.
constexpr double directionScore = taraFullScore / 2;

const TaraInfo &infoOf(int tara)
{
    return taras.at(std::size_t(tara - 1));
}

} // namespace

TaraStep taraStep(int from, int to)
{
    TaraStep step;
    step.count = ((to - from) % nakshatraCount + nakshatraCount) % nakshatraCount + 1;
    step.tara = (step.count - 1) % taraCount + 1; // count mod 9, with 0 read as 9
    step.favourable = infoOf(step.tara).favourable;
    return step;
}

TaraMatch taraMatch(int a, int b)
{
    TaraMatch match;
    match.aToB = taraStep(a, b);
    match.bToA = taraStep(b, a);
    match.score = (match.aToB.favourable ? directionScore : 0) + (match.bToA.favourable ? directionScore : 0);
    return match;
}

QString taraName(const TaraStep &step)
{
    const QString name = QString::fromLatin1(infoOf(step.tara).name);
    // The second and third rounds of the cycle begin on Janma's own names.
    if (step.count == taraCount + 1)
        return name + QStringLiteral(" (Anujanma)");
    if (step.count == 2 * taraCount + 1)
        return name + QStringLiteral(" (Trijanma)");
    return name;
}

QString taraMeaning(int tara)
{
    return QString::fromLatin1(infoOf(tara).meaning);
}

QString taraScoreText(double score)
{
    return QStringLiteral("%1 / %2").arg(score).arg(taraFullScore);
}

QString taraScoreSentence(double score)
{
    if (score >= taraFullScore)
        return QStringLiteral("Favourable both ways: these two readings get all %1 points the tara rule gives.")
            .arg(taraFullScore);
    if (score > 0)
        return QStringLiteral("Favourable one way only: these two readings get half the %1 points the tara rule gives.")
            .arg(taraFullScore);
    return QStringLiteral("Favourable neither way: these two readings get none of the %1 points the tara rule gives.")
        .arg(taraFullScore);
}

QString taraCountNote()
{
    return QStringLiteral("Each count starts at one reading's Moon nakshatra (the Indian lunar mansion above), "
                          "counted as 1, and goes round the %1 Indian nakshatras to the other's. The Chinese "
                          "mansions are not counted. The count's place in a cycle of nine gives its tara, a name "
                          "with a traditional meaning.")
        .arg(nakshatraCount);
}

QString taraFavourableNote()
{
    QStringList unfavourable;
    for (const TaraInfo &info : taras) {
        if (!info.favourable)
            unfavourable.append(QStringLiteral("%1 (%2)").arg(QLatin1String(info.name), QLatin1String(info.meaning)));
    }
    const QString last = unfavourable.takeLast();
    return QStringLiteral("A direction is favourable unless its tara is %1 or %2.")
        .arg(unfavourable.join(QStringLiteral(", ")), last);
}

QString taraScoreScale()
{
    return QStringLiteral("Each favourable direction scores %1: %2 when both are, %1 when one is. %3, when neither "
                          "is, never comes from this rule: a count unfavourable one way is favourable the other.")
        .arg(directionScore)
        .arg(taraFullScore)
        .arg(0);
}

QString taraRuleNote()
{
    return QStringLiteral("This is the tara kuta (or dina kuta) of Ashtakoota, the Indian matching of two birth "
                          "charts, where it is worth %1 of the 36 points, as the classical muhurta texts set it out. "
                          "The 27-mansion tradition uses the same distances with its own names, and some traditions "
                          "judge Janma unfavourable.")
        .arg(taraFullScore);
}
