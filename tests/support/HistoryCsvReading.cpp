#include "tests/support/HistoryCsvReading.h"

#include "app/progress/HistoryCsv.h"
#include "core/Errors.h"
#include "game/Chords.h"
#include "game/InputKinds.h"
#include "game/MusicKeys.h"
#include "game/uVariables.h"

#include <QDateTime>
#include <QRegularExpression>

using namespace std::chrono;
using lirasto::EReadError;

namespace lirasto::test {
namespace {

// Reads the fields of one row, raising EReadError that names the row and field.
class TRowReader
{
public:
    TRowReader(const QStringList& fields, std::size_t row) : fields_(fields), row_(row) {}

    [[noreturn]] void Fail(int field, const char* what) const
    {
        throw EReadError("History CSV row " + std::to_string(row_) + ", field " +
                         HistoryCsvHeader()[field].toStdString() + ": " + what);
    }

    int64_t Number(int field, int64_t lowest, int64_t highest) const
    {
        bool ok = false;
        const qlonglong value = fields_[field].toLongLong(&ok);
        if (!ok || value < lowest || value > highest)
            Fail(field, "not a number in range");
        return value;
    }

    int OneOf(int field, const QStringList& names) const
    {
        const int index = static_cast<int>(names.indexOf(fields_[field]));
        if (index < 0)
            Fail(field, "not a known value");
        return index;
    }

    std::vector<int> Numbers(int field, int lowest, int highest) const
    {
        std::vector<int> values;
        if (fields_[field].isEmpty())
            return values;
        for (const QString& part : fields_[field].split(QLatin1Char(','))) {
            bool ok = false;
            const int v = part.toInt(&ok);
            if (!ok || v < lowest || v > highest)
                Fail(field, "not a list of numbers in range");
            values.push_back(v);
        }
        return values;
    }

    const QString& Text(int field) const { return fields_[field]; }

private:
    const QStringList& fields_;
    std::size_t row_;
};

enum Column {
    cId,
    cRunId,
    cTime,
    cLevel,
    cKey,
    cClef,
    cNote,
    cNoteName,
    cKeys,
    cPitchClasses,
    cRight,
    cMs,
    cInput,
    cNotesAsked,
    cMusicKey,
    cChord,
    cPractice
};

} // namespace

std::vector<QStringList> ParseCsv(const QByteArray& utf8)
{
    const QString text = QString::fromUtf8(utf8);
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, afterQuote = false;
    const auto endField = [&] {
        row << field;
        field.clear();
        afterQuote = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else
                quoted = false, afterQuote = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endField();
            rows.push_back(std::move(row));
            row.clear();
        } else if (afterQuote) {
            throw EReadError("CSV row " + std::to_string(rows.size() + 1) + ": text after a closing quote");
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else {
            field += c;
        }
    }
    if (quoted)
        throw EReadError("CSV row " + std::to_string(rows.size() + 1) + ": a quoted field is not closed");
    if (!field.isEmpty() || !row.isEmpty() || afterQuote) {
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<TAnswerRecord> ReadHistoryCsv(const QByteArray& utf8)
{
    const std::vector<QStringList> rows = ParseCsv(utf8);
    const QStringList header = HistoryCsvHeader();
    if (rows.empty() || rows[0] != header)
        throw EReadError("History CSV: the first row is not the history's header");
    QStringList keys, clefs{QString(), "treble", "bass", "alto", "tenor", "treble8vb"}, sources;
    for (int k = 0; k < KeyCount; ++k)
        keys << QString::fromLatin1(KeyNames[k]);
    for (const TInputKind& kind : kInputKinds)
        sources << QString::fromLatin1(kind.HistoryName).toLower();

    std::vector<TAnswerRecord> answers;
    answers.reserve(rows.size() - 1);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].size() != header.size())
            throw EReadError("History CSV row " + std::to_string(r + 1) + ": " + std::to_string(rows[r].size()) +
                             " fields instead of " + std::to_string(header.size()));
        const TRowReader in(rows[r], r + 1);
        TAnswerRecord a;
        a.Id = in.Number(cId, 0, INT64_MAX);
        a.RunId = in.Number(cRunId, 0, INT64_MAX);
        const QDateTime at = QDateTime::fromString(in.Text(cTime), Qt::ISODateWithMs);
        if (!at.isValid())
            in.Fail(cTime, "not a time");
        a.At = system_clock::time_point{milliseconds{at.toMSecsSinceEpoch()}};
        a.Level = static_cast<int>(in.Number(cLevel, 1, LevelCount));
        a.Key = in.OneOf(cKey, keys);
        a.Clef = in.OneOf(cClef, clefs);
        if (a.Clef == 0)
            in.Fail(cClef, "not a clef");
        a.Note = static_cast<int>(in.Number(cNote, kLowestMidiNote, kHighestMidiNote));
        a.KeysGiven = in.Numbers(cKeys, kLowestMidiNote, kHighestMidiNote);
        for (int pc : in.Numbers(cPitchClasses, 0, 11))
            a.PitchClassesGiven = static_cast<TPitchClassSet>(a.PitchClassesGiven | PitchClassBit(pc));
        a.Right = in.Number(cRight, 0, 1) == 1;
        a.AnswerMs = in.Number(cMs, 0, INT64_MAX);
        a.Source = kInputKinds[size_t(in.OneOf(cInput, sources))].Source;
        a.NotesAsked = in.Numbers(cNotesAsked, kLowestMidiNote, kHighestMidiNote);
        if (!in.Text(cMusicKey).isEmpty()) {
            a.MusicKey = MusicKeyFromName(in.Text(cMusicKey).toStdString());
            if (a.MusicKey < 0)
                in.Fail(cMusicKey, "not a key");
        }
        // The chord is named by the type's English name, with its root and inversion.
        if (!in.Text(cChord).isEmpty()) {
            const QRegularExpressionMatch m =
                QRegularExpression("^(([A-G])([#b]?) )?(.+?)(, (first|second|third) inversion)?$")
                    .match(in.Text(cChord));
            const TChordType* type =
                m.hasMatch()
                    ? ChordTypeNamed((m.captured(2).isEmpty() ? m.captured(4) : "%1 " + m.captured(4)).toStdString())
                    : nullptr;
            if (type == nullptr)
                in.Fail(cChord, "not a chord");
            const int root = m.captured(2).isEmpty() ? 0 : QStringLiteral("CDEFGAB").indexOf(m.captured(2));
            const int inversion = int(QStringList{"", "first", "second", "third"}.indexOf(m.captured(6)));
            a.Chord = {ChordTypeCode(*type), inversion, root, m.captured(3) == "#" ? 1 : m.captured(3) == "b" ? -1 : 0};
        }
        // An apostrophe before the text keeps a spreadsheet from taking it for a formula.
        a.Practice = in.Text(cPractice).startsWith(QLatin1Char('\'')) ? in.Text(cPractice).mid(1) : in.Text(cPractice);
        answers.push_back(std::move(a));
    }
    return answers;
}

} // namespace lirasto::test
