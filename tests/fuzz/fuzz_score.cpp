// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Score text conversion against a plain reading of the same text: any bytes, read as Latin-1
// and as UTF-8, must convert without failing and give what the rules give, the entry's reading
// of whole numbers included.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QString>
#include <QVariant>

#include "match/ScoreText.h"
#include "tests/support/ReferenceScore.h"

namespace {

[[noreturn]] void fail(const char *what, const QString &text, qint64 got, qint64 expected)
{
    std::fprintf(stderr, "fuzz_score: %s of \"%s\": got %lld, expected %lld\n", what,
        qUtf8Printable(text.toHtmlEscaped()), static_cast<long long>(got), static_cast<long long>(expected));
    std::abort();
}

void check(const QString &text)
{
    const QString numeric = NumericText(text);
    if (numeric != referenceNumericText(text)) {
        std::fprintf(stderr, "fuzz_score: NumericText of \"%s\" is \"%s\", expected \"%s\"\n", qUtf8Printable(text),
            qUtf8Printable(numeric), qUtf8Printable(referenceNumericText(text)));
        std::abort();
    }
    const qint32 score = ScoreFromText(text);
    const qint32 expected = referenceScore(text);
    if (score != expected)
        fail("ScoreFromText", text, score, expected);
    // The entry's reading: a whole number or none.
    const std::optional<qint32> entry = EntryScore(text);
    const std::optional<qint32> expectedEntry = referenceEntryScore(text);
    if (entry != expectedEntry) {
        const auto shown
            = [](std::optional<qint32> score) { return score ? QString::number(*score) : QStringLiteral("no number"); };
        std::fprintf(stderr, "fuzz_score: EntryScore of \"%s\": got %s, expected %s\n",
            qUtf8Printable(text.toHtmlEscaped()), qUtf8Printable(shown(entry)), qUtf8Printable(shown(expectedEntry)));
        std::abort();
    }
    // What a label shows of a score reads back as the same score.
    const qint32 again = ScoreFromText(VarToScoreText(QVariant(score)));
    if (again != score)
        fail("ScoreFromText(VarToScoreText)", text, again, score);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto *chars = reinterpret_cast<const char *>(data);
    const auto length = static_cast<qsizetype>(size);
    check(QString::fromLatin1(chars, length));
    check(QString::fromUtf8(chars, length));
    return 0;
}
