#include "app/progress/HistoryCsv.h"

#include "game/Chords.h"
#include "game/InputKinds.h"
#include "game/MusicKeys.h"
#include "game/NoteFigures.h"
#include "game/NoteNames.h"
#include "game/uVariables.h"
#include "history/HistoryReader.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <array>
#include <charconv>

using namespace std::chrono;

namespace {

// Written to the file whenever this much has gathered: big enough that the
// writes cost little, small enough that the export's memory does not grow.
constexpr qsizetype kSliceBytes = 256 * 1024;

void appendNumber(QByteArray& out, int64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

void appendPadded(QByteArray& out, int value, int width)
{
    char digits[8];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = char('0' + value % 10);
    out.append(digits, width);
}

// As QDateTime writes an ISO date with milliseconds in UTC, without the cost of a time zone lookup per row.
void appendTime(QByteArray& out, system_clock::time_point at)
{
    // The clock's nanoseconds reach the years 1677 to 2262 only: four digits always.
    const int64_t ms = duration_cast<milliseconds>(at.time_since_epoch()).count();
    const sys_days day = floor<days>(sys_time<milliseconds>(milliseconds(ms)));
    const year_month_day date(day);
    const int64_t inDay = ms - duration_cast<milliseconds>(day.time_since_epoch()).count();
    appendPadded(out, int(date.year()), 4);
    out += '-';
    appendPadded(out, int(unsigned(date.month())), 2);
    out += '-';
    appendPadded(out, int(unsigned(date.day())), 2);
    out += 'T';
    appendPadded(out, int(inDay / 3600000), 2);
    out += ':';
    appendPadded(out, int(inDay / 60000 % 60), 2);
    out += ':';
    appendPadded(out, int(inDay / 1000 % 60), 2);
    out += '.';
    appendPadded(out, int(inDay % 1000), 3);
    out += 'Z';
}

// Note names of every key, made once: spelling a note costs more than the rest of its row.
const QByteArray& noteName(int note, int key)
{
    static const std::array<std::array<QByteArray, 127>, 12> names = [] {
        std::array<std::array<QByteArray, 127>, 12> made;
        for (int k = 0; k < 12; ++k)
            for (int n = 1; n <= 126; ++n)
                made[size_t(k)][size_t(n)] = QByteArray::fromStdString(NoteName(n, k));
        return made;
    }();
    static const QByteArray none;
    return note >= 1 && note <= 126 && KeyNames.Contains(key) ? names[size_t(key)][size_t(note)] : none;
}

// A list of numbers as one field, quoted when it holds more than one.
void appendList(QByteArray& out, const int* values, std::size_t count)
{
    if (count > 1)
        out += '"';
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out += ',';
        appendNumber(out, values[i]);
    }
    if (count > 1)
        out += '"';
}

void appendPitchClasses(QByteArray& out, TPitchClassSet set)
{
    std::array<int, 12> classes{};
    std::size_t count = 0;
    for (int pc = 0; pc < 12; ++pc)
        if (set & (1u << pc))
            classes[count++] = pc;
    appendList(out, classes.data(), count);
}

void appendInput(QByteArray& out, TInputSource source)
{
    for (const TInputKind& kind : kInputKinds)
        if (kind.Source == source) {
            // Lower case, as the first files were written.
            out += QByteArray(kind.HistoryName).toLower();
            return;
        }
    appendNumber(out, static_cast<int>(source));
}

// Text as one field: quoted when it holds a comma, a quote or a line break, its quotes doubled. Text a spreadsheet
// would take for a formula (a first = + - @, tab or carriage return) gets an apostrophe before it, as a
// spreadsheet writes such text itself; so does text that begins with an apostrophe, so that one apostrophe
// taken off always gives the text back.
void appendText(QByteArray& out, const QString& text)
{
    QByteArray field = text.toUtf8();
    if (!field.isEmpty() && QByteArrayView("=+-@\t\r'").contains(field.front()))
        field.prepend('\'');
    if (!field.contains(',') && !field.contains('"') && !field.contains('\n') && !field.contains('\r')) {
        out += field;
        return;
    }
    out += '"';
    out += field.replace('"', "\"\"");
    out += '"';
}

// The clef column's names, from the staff's own numbers.
constexpr const char* kClefNames[] = {"treble", "bass", "alto", "tenor", "treble8vb"};

// "D minor, first inversion", "major sixth": the chord's name in English, as the whole file is.
QString chordName(const TChordLabel& label)
{
    const TChord chord = ChordOfLabel(label);
    if (chord.Type == nullptr)
        return {};
    QString name = QString::fromLatin1(chord.Type->Name);
    if (chord.Type->Family != TChordFamily::Intervals)
        name =
            name.arg(QString::fromStdString(LetterName(chord.RootLetter, chord.RootAlteration, TNoteNaming::English)));
    if (const char* inversion = InversionName(chord))
        name += QStringLiteral(", ") + QLatin1String(inversion);
    return name;
}

// Takes the history's answers into the file a slice at a time.
class TCsvSink : public TAnswerSink
{
public:
    TCsvSink(QSaveFile& file, const std::atomic<bool>& cancel, const std::function<void(int64_t, int64_t)>& progress)
        : file_(file), cancel_(cancel), progress_(progress)
    {
        out_.reserve(kSliceBytes + 4096);
    }

    bool Wanted() const override { return !cancel_.load(std::memory_order_relaxed); }
    void Expect(int64_t count) override
    {
        total_ = count;
        if (progress_)
            progress_(0, total_);
    }
    bool Take(const TAnswerRecord& answer) override
    {
        if (!Wanted())
            return false;
        AppendHistoryCsvRow(out_, answer);
        ++written_;
        return out_.size() < kSliceBytes || Flush();
    }

    // Writes what has gathered; false when the file refused it.
    bool Flush()
    {
        if (file_.write(out_) != out_.size()) {
            failed_ = true;
            return false;
        }
        out_.resize(0); // keeps its capacity for the next slice
        if (progress_)
            progress_(written_, std::max(total_, written_));
        return true;
    }

    int64_t Written() const { return written_; }
    bool Failed() const { return failed_; }

private:
    QSaveFile& file_;
    const std::atomic<bool>& cancel_;
    const std::function<void(int64_t, int64_t)>& progress_;
    QByteArray out_;
    int64_t written_ = 0;
    int64_t total_ = 0;
    bool failed_ = false;
};

} // namespace

QStringList HistoryCsvHeader()
{
    return {"id",    "run_id",    "time",      "level",       "key",
            "clef",  "note",      "note_name", "keys_given",  "pitch_classes_given",
            "right", "answer_ms", "input",     "notes_asked", "music_key",
            "chord", "practice"};
}

void AppendHistoryCsvRow(QByteArray& out, const TAnswerRecord& a)
{
    appendNumber(out, a.Id);
    out += ',';
    appendNumber(out, a.RunId);
    out += ',';
    appendTime(out, a.At);
    out += ',';
    appendNumber(out, a.Level);
    out += ',';
    if (KeyNames.Contains(a.Key))
        out += KeyNames[a.Key];
    else
        appendNumber(out, a.Key);
    out += ',';
    if (a.Clef >= 1 && a.Clef <= int(std::size(kClefNames)))
        out += kClefNames[a.Clef - 1];
    else
        appendNumber(out, a.Clef);
    out += ',';
    appendNumber(out, a.Note);
    out += ',';
    out += noteName(a.Note, a.Key);
    out += ',';
    appendList(out, a.KeysGiven.data(), a.KeysGiven.size());
    out += ',';
    appendPitchClasses(out, a.PitchClassesGiven);
    out += a.Right ? ",1," : ",0,";
    appendNumber(out, a.AnswerMs);
    out += ',';
    appendInput(out, a.Source);
    out += ',';
    appendList(out, a.NotesAsked.data(), a.NotesAsked.size());
    out += ',';
    if (MusicKeyCode(a.MusicKey) != 0)
        out += MusicKeyName(a.MusicKey);
    out += ',';
    appendText(out, chordName(a.Chord));
    out += ',';
    appendText(out, a.Practice);
    out += "\r\n";
}

THistoryCsvResult WriteHistoryCsv(const THistoryReader& history, const QString& path, const std::atomic<bool>& cancel,
                                  const std::function<void(int64_t, int64_t)>& progress)
{
    THistoryCsvResult result;
    QSaveFile file(path);
    const auto cannotWrite = [&] {
        return QCoreApplication::translate("HistoryCsv", "Cannot write %1: %2").arg(path, file.errorString());
    };
    if (!file.open(QIODevice::WriteOnly)) {
        result.Error = cannotWrite();
        return result;
    }
    TCsvSink sink(file, cancel, progress);
    file.write(HistoryCsvHeader().join(QLatin1Char(',')).toUtf8() + "\r\n");
    QString readError;
    try {
        readError = history.ReadEveryAnswer(sink);
    } catch (const std::exception& e) {
        readError = QString::fromUtf8(e.what());
    }
    result.Written = sink.Written();
    if (cancel) {
        result.Cancelled = true;
        file.cancelWriting();
    } else if (!readError.isEmpty()) {
        result.Error = QCoreApplication::translate("TProgressPage", "The history cannot be read: %1").arg(readError);
        file.cancelWriting();
    } else if (sink.Failed() || !sink.Flush() || !file.commit()) {
        result.Error = cannotWrite();
        file.cancelWriting();
    }
    return result;
}
