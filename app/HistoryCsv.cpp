#include "app/HistoryCsv.h"

#include "core/Errors.h"
#include "game/NoteFigures.h"
#include "game/uVariables.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSaveFile>

using namespace std::chrono;
using lirasto::EReadError;

namespace {

const char* const kSources[] = {"mouse", "keyboard", "midi"};
const char* const kClefs[] = {"", "treble", "bass"};

QString keyName(int key)
{
    return KeyNames.contains(key) ? QString::fromLatin1(KeyNames[key]) : QString::number(key);
}

QString noteName(int note, int key)
{
    if (note < 1 || note > 126 || !KeyNames.contains(key))
        return {};
    return QString::fromStdString(NoteName(note, key));
}

QString clefName(int clef)
{
    return clef == 1 || clef == 2 ? QString::fromLatin1(kClefs[clef]) : QString::number(clef);
}

template <typename T>
QString joined(const std::vector<T>& values)
{
    QStringList parts;
    for (const T& v : values)
        parts << QString::number(v);
    return parts.join(QLatin1Char(','));
}

std::vector<int> pitchClasses(TPitchClassSet set)
{
    std::vector<int> classes;
    for (int pc = 0; pc < 12; ++pc)
        if (set & (1u << pc))
            classes.push_back(pc);
    return classes;
}

// Reads the fields of one row, raising EReadError that names the row and field.
class TRowReader
{
public:
    TRowReader(const QStringList& fields, std::size_t row) : fields_(fields), row_(row) {}

    [[noreturn]] void fail(int field, const char* what) const
    {
        throw EReadError("History CSV row " + std::to_string(row_) + ", field " +
                         HistoryCsvHeader()[field].toStdString() + ": " + what);
    }

    int64_t number(int field, int64_t lowest, int64_t highest) const
    {
        bool ok = false;
        const qlonglong value = fields_[field].toLongLong(&ok);
        if (!ok || value < lowest || value > highest)
            fail(field, "not a number in range");
        return value;
    }

    int oneOf(int field, const QStringList& names) const
    {
        const int index = static_cast<int>(names.indexOf(fields_[field]));
        if (index < 0)
            fail(field, "not a known value");
        return index;
    }

    std::vector<int> numbers(int field, int lowest, int highest) const
    {
        std::vector<int> values;
        if (fields_[field].isEmpty())
            return values;
        for (const QString& part : fields_[field].split(QLatin1Char(','))) {
            bool ok = false;
            const int v = part.toInt(&ok);
            if (!ok || v < lowest || v > highest)
                fail(field, "not a list of numbers in range");
            values.push_back(v);
        }
        return values;
    }

    const QString& text(int field) const { return fields_[field]; }

private:
    const QStringList& fields_;
    std::size_t row_;
};

enum Column { cId, cRunId, cTime, cLevel, cKey, cClef, cNote, cNoteName, cKeys, cPitchClasses, cRight, cMs, cInput };

} // namespace

QStringList HistoryCsvHeader()
{
    return {"id",    "run_id",    "time",      "level",      "key",
            "clef",  "note",      "note_name", "keys_given", "pitch_classes_given",
            "right", "answer_ms", "input"};
}

QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray HistoryCsv(const std::vector<TAnswerRecord>& answers)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(answers.size()) * 96 + 128);
    const auto writeRow = [&out](const QStringList& fields) {
        QStringList quoted;
        for (const QString& f : fields)
            quoted << CsvField(f);
        out += quoted.join(QLatin1Char(',')).toUtf8();
        out += "\r\n";
    };
    writeRow(HistoryCsvHeader());
    for (const TAnswerRecord& a : answers) {
        const qint64 ms = duration_cast<milliseconds>(a.At.time_since_epoch()).count();
        const int source = static_cast<int>(a.Source);
        writeRow({QString::number(a.Id), QString::number(a.RunId),
                  QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs), QString::number(a.Level),
                  keyName(a.Key), clefName(a.Clef), QString::number(a.Note), noteName(a.Note, a.Key),
                  joined(a.KeysGiven), joined(pitchClasses(a.PitchClassesGiven)),
                  a.Right ? QStringLiteral("1") : QStringLiteral("0"), QString::number(a.AnswerMs),
                  source >= 0 && source < 3 ? QString::fromLatin1(kSources[source]) : QString::number(source)});
    }
    return out;
}

QString ExportHistoryCsv(const QString& path, const std::vector<TAnswerRecord>& answers)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("HistoryCsv", "Cannot write %1: %2").arg(path, file.errorString());
    const QByteArray bytes = HistoryCsv(answers);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QCoreApplication::translate("HistoryCsv", "Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

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
    QStringList keys, clefs{QString(), QStringLiteral("treble"), QStringLiteral("bass")}, sources;
    for (int k = 0; k < KeyCount; ++k)
        keys << QString::fromLatin1(KeyNames[k]);
    for (const char* s : kSources)
        sources << QString::fromLatin1(s);

    std::vector<TAnswerRecord> answers;
    answers.reserve(rows.size() - 1);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].size() != header.size())
            throw EReadError("History CSV row " + std::to_string(r + 1) + ": " + std::to_string(rows[r].size()) +
                             " fields instead of " + std::to_string(header.size()));
        const TRowReader in(rows[r], r + 1);
        TAnswerRecord a;
        a.Id = in.number(cId, 0, INT64_MAX);
        a.RunId = in.number(cRunId, 0, INT64_MAX);
        const QDateTime at = QDateTime::fromString(in.text(cTime), Qt::ISODateWithMs);
        if (!at.isValid())
            in.fail(cTime, "not a time");
        a.At = system_clock::time_point{milliseconds{at.toMSecsSinceEpoch()}};
        a.Level = static_cast<int>(in.number(cLevel, 1, LevelCount));
        a.Key = in.oneOf(cKey, keys);
        a.Clef = in.oneOf(cClef, clefs);
        if (a.Clef == 0)
            in.fail(cClef, "not a clef");
        a.Note = static_cast<int>(in.number(cNote, LowestMidiNote, HighestMidiNote));
        a.KeysGiven = in.numbers(cKeys, LowestMidiNote, HighestMidiNote);
        for (int pc : in.numbers(cPitchClasses, 0, 11))
            a.PitchClassesGiven = static_cast<TPitchClassSet>(a.PitchClassesGiven | PitchClassBit(pc));
        a.Right = in.number(cRight, 0, 1) == 1;
        a.AnswerMs = in.number(cMs, 0, INT64_MAX);
        a.Source = static_cast<TInputSource>(in.oneOf(cInput, sources));
        answers.push_back(std::move(a));
    }
    return answers;
}
