// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The caller's words: numbers spelt out in Hungarian and English, and the phrase for each change.
#include "match/Calls.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QStringList>

#include "match/Checkout.h"
#include "match/Match.h"
#include "match/TurnScores.h"

namespace {

// Each group of three digits is named by the scale word after it; seven groups cover 64 bits.
constexpr int Groups = 7;

// The groups of three digits, the lowest first.
std::array<int, Groups> thousandGroups(quint64 number)
{
    std::array<int, Groups> groups {};
    for (int i = 0; i < Groups; ++i, number /= 1000)
        groups[i] = int(number % 1000);
    return groups;
}

// --- Hungarian -----------------------------------------------------------------------------------

constexpr std::array<QStringView, 10> HungarianOnes
    = {u"", u"egy", u"kettő", u"három", u"négy", u"öt", u"hat", u"hét", u"nyolc", u"kilenc"};
constexpr std::array<QStringView, 10> HungarianTens
    = {u"", u"tíz", u"húsz", u"harminc", u"negyven", u"ötven", u"hatvan", u"hetven", u"nyolcvan", u"kilencven"};
// Ten and twenty take another form when units follow: tizenegy, huszonegy.
constexpr std::array<QStringView, 10> HungarianTensBeforeUnits
    = {u"", u"tizen", u"huszon", u"harminc", u"negyven", u"ötven", u"hatvan", u"hetven", u"nyolcvan", u"kilencven"};
constexpr std::array<QStringView, Groups> HungarianScales
    = {u"", u"ezer", u"millió", u"milliárd", u"billió", u"billiárd", u"trillió"};

// Two is "kettő" alone and "két" before what it multiplies (kétszáz, kétezer, tizenkétmillió).
QStringView hungarianUnit(int digit, bool multiplies)
{
    return digit == 2 && multiplies ? QStringView(u"két") : HungarianOnes[digit];
}

// 1 to 999; `multiplies` when a scale word follows.
QString hungarianGroup(int value, bool multiplies)
{
    QString text;
    const int hundreds = value / 100;
    if (hundreds > 0) {
        if (hundreds > 1)
            text += hungarianUnit(hundreds, true);
        text += u"száz";
    }
    const int tens = value / 10 % 10;
    const int units = value % 10;
    if (units == 0)
        text += HungarianTens[tens];
    else
        text += HungarianTensBeforeUnits[tens].toString() + hungarianUnit(units, multiplies).toString();
    return text;
}

QString hungarianWords(quint64 number)
{
    if (number == 0)
        return QStringLiteral("nulla");
    // Up to 2000 every number is one word; above it the groups are joined by hyphens.
    const bool oneWord = number <= 2000;
    const std::array<int, Groups> groups = thousandGroups(number);
    QStringList parts;
    for (int i = Groups - 1; i >= 0; --i) {
        if (groups[i] == 0)
            continue;
        // A thousand within one word is "ezer", not "egyezer": ezerkilencszáz.
        const bool plainThousand = oneWord && i == 1 && groups[i] == 1;
        parts << (plainThousand ? QString() : hungarianGroup(groups[i], i > 0)) + HungarianScales[i].toString();
    }
    return parts.join(oneWord ? QStringView() : QStringView(u"-"));
}

// --- English -------------------------------------------------------------------------------------

constexpr std::array<QStringView, 20> EnglishBelowTwenty
    = {u"zero", u"one", u"two", u"three", u"four", u"five", u"six", u"seven", u"eight", u"nine", u"ten", u"eleven",
        u"twelve", u"thirteen", u"fourteen", u"fifteen", u"sixteen", u"seventeen", u"eighteen", u"nineteen"};
constexpr std::array<QStringView, 10> EnglishTens
    = {u"", u"", u"twenty", u"thirty", u"forty", u"fifty", u"sixty", u"seventy", u"eighty", u"ninety"};
constexpr std::array<QStringView, Groups> EnglishScales
    = {u"", u"thousand", u"million", u"billion", u"trillion", u"quadrillion", u"quintillion"};

// 1 to 99.
QString englishBelowHundred(int value)
{
    if (value < 20)
        return EnglishBelowTwenty[value].toString();
    QString text = EnglishTens[value / 10].toString();
    if (value % 10 != 0)
        text += u'-' + EnglishBelowTwenty[value % 10].toString();
    return text;
}

// 1 to 999, with "and" after the hundreds: "one hundred and eighty".
QString englishGroup(int value)
{
    QString text;
    if (value >= 100)
        text = EnglishBelowTwenty[value / 100].toString() + QStringLiteral(" hundred");
    if (value % 100 != 0) {
        if (!text.isEmpty())
            text += QStringLiteral(" and ");
        text += englishBelowHundred(value % 100);
    }
    return text;
}

QString englishWords(quint64 number)
{
    if (number == 0)
        return EnglishBelowTwenty[0].toString();
    const std::array<int, Groups> groups = thousandGroups(number);
    QStringList parts;
    for (int i = Groups - 1; i >= 0; --i) {
        if (groups[i] == 0)
            continue;
        QString part = englishGroup(groups[i]);
        if (i > 0)
            part += u' ' + EnglishScales[i].toString();
        // The British "and" before a last group below a hundred: "two thousand and one".
        else if (groups[i] < 100 && !parts.isEmpty())
            part.prepend(QStringLiteral("and "));
        parts << part;
    }
    return parts.join(u' ');
}

// --- Ordinals ------------------------------------------------------------------------------------

// Hungarian ordinals change the last word of the number: the units, the tens, "száz" or a scale.
struct HungarianEnding
{
    QStringView cardinal;
    QStringView ordinal;
};
constexpr std::array<HungarianEnding, 22> HungarianOrdinalEndings {{{u"egy", u"egyedik"}, {u"kettő", u"kettedik"},
    {u"három", u"harmadik"}, {u"négy", u"negyedik"}, {u"öt", u"ötödik"}, {u"hat", u"hatodik"}, {u"hét", u"hetedik"},
    {u"nyolc", u"nyolcadik"}, {u"kilenc", u"kilencedik"}, {u"tíz", u"tizedik"}, {u"húsz", u"huszadik"},
    {u"harminc", u"harmincadik"}, {u"negyven", u"negyvenedik"}, {u"ötven", u"ötvenedik"}, {u"hatvan", u"hatvanadik"},
    {u"hetven", u"hetvenedik"}, {u"nyolcvan", u"nyolcvanadik"}, {u"kilencven", u"kilencvenedik"},
    {u"száz", u"századik"}, {u"ezer", u"ezredik"}, {u"millió", u"milliomodik"}, {u"milliárd", u"milliárdodik"}}};

QString hungarianOrdinal(quint64 number)
{
    // One and two alone have forms of their own; within a larger number they follow the rule.
    if (number == 1)
        return QStringLiteral("első");
    if (number == 2)
        return QStringLiteral("második");
    const QString words = hungarianWords(number);
    for (const HungarianEnding &ending : HungarianOrdinalEndings) {
        if (words.endsWith(ending.cardinal))
            return words.chopped(ending.cardinal.size()) + ending.ordinal.toString();
    }
    // Beyond the scales a leg or a set can reach.
    return words + u'.';
}

QString englishOrdinal(quint64 number)
{
    static constexpr std::array<std::pair<QStringView, QStringView>, 7> Irregular {
        {{u"one", u"first"}, {u"two", u"second"}, {u"three", u"third"}, {u"five", u"fifth"}, {u"eight", u"eighth"},
            {u"nine", u"ninth"}, {u"twelve", u"twelfth"}}};
    const QString words = englishWords(number);
    for (const auto &[cardinal, ordinal] : Irregular) {
        if (words.endsWith(cardinal))
            return words.chopped(cardinal.size()) + ordinal.toString();
    }
    if (words.endsWith(u'y'))
        return words.chopped(1) + QStringLiteral("ieth");
    return words + QStringLiteral("th");
}

// The Hungarian article before a word: "az" before a vowel, "a" before a consonant.
QString hungarianArticle(const QString &word)
{
    static const QString vowels = QStringLiteral("aáeéiíoóöőuúüű");
    return !word.isEmpty() && vowels.contains(word.front()) ? QStringLiteral("az") : QStringLiteral("a");
}

// The fixed words of the calls in one language.
struct CallWords
{
    QStringView noScore;
    QStringView checkout;
    QStringView legTo; // %1 the winner's name
    QStringView matchTo;
    QStringView required; // %1 the remaining score
    std::array<QStringView, 2> players; // for a player without a name
    QStringView setTo; // %1 the winner's name, %2 the set's ordinal (with its article in Hungarian)
    QStringView drawn;
    QStringView setNumber; // %1 the set's ordinal
    QStringView legNumber; // %1 the leg's ordinal, %2 the starter's name
};

const CallWords &wordsOf(CallLanguage language)
{
    static constexpr CallWords Hungarian {u"nincs pont", u"kiszálló!", u"kiszálló! %1 nyerte a leget",
        u"kiszálló! %1 nyerte a meccset", u"%1 kell", {u"első játékos", u"második játékos"},
        u"kiszálló! %1 nyerte %2 szettet", u"A meccs döntetlen", u"%1 szett", u"%1 leg, %2 kezd. Játék!"};
    static constexpr CallWords English {u"no score", u"game shot", u"game shot and the leg, %1",
        u"game shot and the match, %1", u"you require %1", {u"player one", u"player two"},
        u"game shot and the %2 set, %1", u"The match is drawn", u"%1 set", u"%1 leg, %2 to throw first, game on"};
    return language == CallLanguage::Hungarian ? Hungarian : English;
}

// One call of several sentences, each ended by the caller's pause.
QString then(const QString &first, const QString &second)
{
    if (second.isEmpty())
        return first;
    return first + (first.endsWith(u'!') ? QStringLiteral(" ") : QStringLiteral(". ")) + second;
}

QString playerName(const PlayerNames &names, bool player1, CallLanguage language)
{
    const QString name = names[player1 ? 0 : 1].trimmed();
    return name.isEmpty() ? wordsOf(language).players[player1 ? 0 : 1].toString() : name;
}

// "negyven kell" while the player to throw has a checkout route under exact checkout; else nothing.
QString requirement(const Match &match, bool exactCheckout, CallLanguage language)
{
    const qint32 remaining = match.Player1ToThrow ? match.Remaining1 : match.Remaining2;
    if (!exactCheckout || checkoutRoute(remaining).isEmpty())
        return {};
    return wordsOf(language).required.toString().arg(numberInWords(remaining, language));
}

} // namespace

QString callAfterEntry(
    const Match &match, qint32 recorded, bool exactCheckout, const PlayerNames &names, CallLanguage language)
{
    const CallWords &words = wordsOf(language);
    const bool thrower = !match.Player1ToThrow;
    const qint32 after = thrower ? match.Remaining1 : match.Remaining2;
    // The remaining score before the entry was a score too, so it fits.
    const auto before = qint32(qint64(after) + recorded);
    const Legs &legs = match.legs();

    if (hasCheckedOut(after, exactCheckout) && !hasCheckedOut(before, exactCheckout)) {
        // Only the game's first checkout wins its leg; the set or the match is decided when that
        // leg, counted at the next new game, decides it.
        if (legs.legWinner() != thrower)
            return words.checkout.toString();
        Legs left = legs;
        left.leaveLeg(match.Player1Starts);
        const QString name = playerName(names, thrower, language);
        if (left.matchWinner() == thrower)
            return words.matchTo.toString().arg(name);
        // After a decided match this leg is the first of the next, which starts with no sets.
        const int setsBefore = legs.matchDecided() ? 0 : legs.setsWon(thrower);
        if (left.playsSets() && left.setsWon(thrower) > setsBefore) {
            const QString set = ordinalInWords(legs.currentLeg().set, language);
            return words.setTo.toString().arg(
                name, language == CallLanguage::Hungarian ? hungarianArticle(set) + u' ' + set : set);
        }
        const QString won = words.legTo.toString().arg(name);
        return left.matchDrawn() ? then(won, words.drawn.toString()) : won;
    }

    QString total;
    if (recorded == 0)
        total = words.noScore.toString();
    else if (recorded == MaximumTurn)
        total = numberInWords(recorded, language) + u'!';
    else
        total = numberInWords(recorded, language);
    // Once the game is shot, nobody requires anything in it.
    return then(total, legs.legWinner() ? QString() : requirement(match, exactCheckout, language));
}

QString callAfterNewLeg(const Match &match, bool exactCheckout, const PlayerNames &names, CallLanguage language)
{
    const CallWords &words = wordsOf(language);
    const LegNumber leg = match.legs().currentLeg();
    QString call = words.legNumber.toString().arg(
        ordinalInWords(leg.leg, language), playerName(names, match.Player1Starts, language));
    if (leg.set > 0 && leg.leg == 1)
        call = words.setNumber.toString().arg(ordinalInWords(leg.set, language)) + QStringLiteral(", ") + call;
    return then(call, requirement(match, exactCheckout, language));
}

QString ordinalInWords(qint64 number, CallLanguage language)
{
    const quint64 magnitude = quint64(std::max<qint64>(1, number));
    return language == CallLanguage::Hungarian ? hungarianOrdinal(magnitude) : englishOrdinal(magnitude);
}

QString numberInWords(qint64 number, CallLanguage language)
{
    // The magnitude of the most negative number does not fit in qint64, but does in quint64.
    const quint64 magnitude = number < 0 ? 0 - quint64(number) : quint64(number);
    const QString words = language == CallLanguage::Hungarian ? hungarianWords(magnitude) : englishWords(magnitude);
    if (number >= 0)
        return words;
    return (language == CallLanguage::Hungarian ? QStringLiteral("mínusz ") : QStringLiteral("minus ")) + words;
}
