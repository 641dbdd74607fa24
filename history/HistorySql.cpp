#include "history/HistorySql.h"

#include "game/Chords.h"
#include "game/InputKinds.h"
#include "game/MusicKeys.h"
#include "history/HistoryStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>

namespace HistorySql {

namespace {

// A stored answer names at most this many keys; more means a damaged row.
constexpr int kMostKeys = 128;

std::vector<int> keysFromText(const QString& text)
{
    std::vector<int> keys;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int key = word.toInt(&ok);
        if (ok && key >= kLowestMidiNote && key <= kHighestMidiNote && keys.size() < size_t(kMostKeys))
            keys.push_back(key);
    }
    return keys;
}

} // namespace

// Step i takes a file from schema version i to i + 1; a new file goes through
// all of them. Later versions add a step here and raise SchemaVersion.
const std::vector<std::vector<QString>> kSchemaSteps = {
    {
        QStringLiteral("PRAGMA application_id = %1").arg(THistoryStore::kApplicationId),
        "CREATE TABLE runs(id INTEGER PRIMARY KEY, started_ms INTEGER NOT NULL, ended_ms INTEGER,"
        " level INTEGER NOT NULL, score INTEGER NOT NULL DEFAULT 0, passed INTEGER NOT NULL DEFAULT 0,"
        " ended_by INTEGER NOT NULL DEFAULT 0)",
        "CREATE TABLE answers(id INTEGER PRIMARY KEY, run_id INTEGER, at_ms INTEGER NOT NULL,"
        " level INTEGER NOT NULL, key_index INTEGER NOT NULL, clef INTEGER NOT NULL, note INTEGER NOT NULL,"
        " keys TEXT NOT NULL, pitch_classes INTEGER NOT NULL, is_right INTEGER NOT NULL,"
        " answer_ms INTEGER NOT NULL, input INTEGER NOT NULL)",
    },
    {
        // The progress page reads one level at a time.
        "CREATE INDEX answers_by_level ON answers(level, id)",
        "CREATE INDEX runs_by_level ON runs(level, id)",
    },
    {
        // Sight-reading lines: which exercise, the note's place in its line, and
        // its timing error in time (NULL at one's own pace and for a note missed).
        "ALTER TABLE answers ADD COLUMN exercise INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE answers ADD COLUMN place INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE answers ADD COLUMN timing_error_ms INTEGER",
    },
    {
        // Stacks of notes: every note asked at once (NULL for a single note).
        "ALTER TABLE answers ADD COLUMN notes_asked TEXT",
    },
    {
        // The key of the thirty by its code (MusicKeyCode: fixed by the signature and mode, NULL in answers kept
        // before), the stack's chord (ChordTypeCode, its inversion, and its root as letter * 3 + sign + 1: C 1,
        // C sharp 2, D flat 3 ... B sharp 20; NULL for a single note) and the practice the answer was given in
        // (NULL for none). The clef column keeps the staff's own numbers, 1 to 5.
        "ALTER TABLE answers ADD COLUMN music_key INTEGER",
        "ALTER TABLE answers ADD COLUMN chord_type INTEGER",
        "ALTER TABLE answers ADD COLUMN chord_inversion INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE answers ADD COLUMN chord_root INTEGER",
        "ALTER TABLE answers ADD COLUMN practice TEXT",
    },
};
static_assert(THistoryStore::kSchemaVersion == 5, "one schema step per version");

// The exercise column: 0 the levels, 1 a line, 2 stacks.
int ExerciseCode(TExerciseKind exercise)
{
    switch (exercise) {
    case TExerciseKind::Line:
        return 1;
    case TExerciseKind::Chords:
        return 2;
    case TExerciseKind::Levels:
        break;
    }
    return 0;
}

QVariant MusicKeyValue(int musicKey)
{
    const int code = MusicKeyCode(musicKey);
    return code != 0 ? QVariant(code) : QVariant();
}

void BindChord(QSqlQuery& query, const TChordLabel& chord)
{
    const bool known = ChordLabelKnown(chord);
    query.addBindValue(known ? QVariant(chord.Type) : QVariant());
    query.addBindValue(known ? chord.Inversion : 0);
    query.addBindValue(known ? QVariant(chord.RootLetter * 3 + chord.RootAlteration + 2) : QVariant());
}

int64_t Ms(std::chrono::system_clock::time_point at)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
}

// A damaged row may hold any number: one beyond the clock's reach (some 292 years either side of
// 1970) would overflow in the conversion, so it stands at the clock's farthest time instead.
std::chrono::system_clock::time_point TimeOf(int64_t ms)
{
    using std::chrono::milliseconds;
    constexpr int64_t kFarthest =
        std::chrono::duration_cast<milliseconds>(std::chrono::system_clock::duration::max()).count();
    return std::chrono::system_clock::time_point{milliseconds(std::clamp(ms, -kFarthest, kFarthest))};
}

QString KeysText(const std::vector<int>& keys)
{
    QStringList words;
    for (int key : keys)
        words << QString::number(key);
    // Never a null string: that would be stored as NULL.
    return words.isEmpty() ? QStringLiteral("") : words.join(' ');
}

// Runs statements; false with the first error in *error.
bool Run(QSqlDatabase& db, const std::vector<QString>& statements, QSqlError* error)
{
    QSqlQuery query(db);
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            *error = query.lastError();
            return false;
        }
    }
    return true;
}

// SQLite's primary result code: an extended code keeps it in its low byte.
int PrimaryCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

bool IsBusy(const QSqlError& error)
{
    // SQLITE_BUSY and SQLITE_LOCKED: the file is in use, not damaged.
    return PrimaryCode(error) == 5 || PrimaryCode(error) == 6;
}

bool IsDamage(const QSqlError& error)
{
    // SQLITE_CORRUPT and SQLITE_NOTADB say the file itself is wrong. Any other failure (a file
    // or its journal this user may not open, a read-only folder, a failing disk) leaves it alone.
    return PrimaryCode(error) == 11 || PrimaryCode(error) == 26;
}

void Disconnect(QSqlDatabase& db, const QString& connection)
{
    if (!db.isValid())
        return;
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

const char* const kSelectAnswers =
    "SELECT id, run_id, at_ms, level, key_index, clef, note, keys, pitch_classes,"
    " is_right, answer_ms, input, exercise, place, timing_error_ms, notes_asked, music_key, chord_type,"
    " chord_inversion, chord_root, practice FROM answers ORDER BY id";

// The answer on the row a query of kSelectAnswers stands on.
TAnswerRecord AnswerAt(const QSqlQuery& query)
{
    TAnswerRecord a;
    a.Id = query.value(0).toLongLong();
    a.RunId = query.value(1).toLongLong();
    a.At = TimeOf(query.value(2).toLongLong());
    a.Level = query.value(3).toInt();
    a.Key = query.value(4).toInt();
    a.Clef = query.value(5).toInt();
    if (a.Clef < 1 || a.Clef > 5) // treble to octave treble
        a.Clef = 0;
    a.Note = query.value(6).toInt();
    a.KeysGiven = keysFromText(query.value(7).toString());
    a.PitchClassesGiven = TPitchClassSet(query.value(8).toUInt() & 0xfff);
    a.Right = query.value(9).toInt() != 0;
    a.AnswerMs = query.value(10).toLongLong();
    const int input = query.value(11).toInt();
    a.Source = InputSourceFromHistoryCode(input).value_or(TInputSource::Mouse);
    // An exercise this version does not know is read as a level's question.
    const int exercise = query.value(12).toInt();
    a.Exercise = exercise == 1 ? TExerciseKind::Line : exercise == 2 ? TExerciseKind::Chords : TExerciseKind::Levels;
    a.Place = std::max(0, query.value(13).toInt());
    if (!query.value(14).isNull())
        a.TimingErrorMs = query.value(14).toLongLong();
    if (!query.value(15).isNull())
        a.NotesAsked = keysFromText(query.value(15).toString());
    a.MusicKey = query.value(16).isNull() ? -1 : MusicKeyOfCode(query.value(16).toInt());
    if (!query.value(17).isNull()) {
        // A chord whose code, inversion or root this version does not know reads as none.
        const int root = query.value(19).toInt() - 1;
        const TChordLabel label{query.value(17).toInt(), query.value(18).toInt(), root / 3, root % 3 - 1};
        if (root >= 0 && ChordLabelKnown(label))
            a.Chord = label;
    }
    a.Practice = query.value(20).toString();
    return a;
}

std::vector<TAnswerRecord> ReadAnswers(QSqlDatabase& db, QString* error)
{
    std::vector<TAnswerRecord> answers;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(kSelectAnswers)) {
        *error = query.lastError().text();
        return {};
    }
    while (query.next())
        answers.push_back(AnswerAt(query));
    return answers;
}

} // namespace HistorySql
