#pragma once

// What the history store's opening, writing and reading share: the schema, the
// conversions between records and rows, and the handling of SQLite's errors.
// Private to the history module.

#include "history/HistoryRecords.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;
class QVariant;

namespace HistorySql {

// Step i takes a file from schema version i to i + 1; a new file goes through
// all of them. Later versions add a step here and raise SchemaVersion.
extern const std::vector<std::vector<QString>> kSchemaSteps;

// The exercise column: 0 the levels, 1 a line, 2 stacks.
int ExerciseCode(TExerciseKind exercise);

// The music_key column's value of a key of the thirty; NULL for none.
QVariant MusicKeyValue(int musicKey);
// Binds the chord_type, chord_inversion and chord_root columns, in that order (NULLs for none).
void BindChord(QSqlQuery& query, const TChordLabel& chord);

int64_t Ms(std::chrono::system_clock::time_point at);
// A damaged row may hold any number: one beyond the clock's reach stands at the clock's farthest time.
std::chrono::system_clock::time_point TimeOf(int64_t ms);

// Keys as stored: numbers separated by spaces, never a null string.
QString KeysText(const std::vector<int>& keys);

// Runs statements; false with the first error in *error.
bool Run(QSqlDatabase& db, const std::vector<QString>& statements, QSqlError* error);

// SQLite's primary result code: an extended code keeps it in its low byte.
int PrimaryCode(const QSqlError& error);
// How long to wait before trying a busy file again: short, since the other instance's hold
// is over in a commit or two.
constexpr auto kBusyRetryPause = std::chrono::milliseconds(20);

// The file is in use, not damaged.
bool IsBusy(const QSqlError& error);
// The file itself is wrong (not a database, or corrupt).
bool IsDamage(const QSqlError& error);

void Disconnect(QSqlDatabase& db, const QString& connection);

// Every answer, in the order given; AnswerAt reads the row a query of kSelectAnswers stands on.
extern const char* const kSelectAnswers;
TAnswerRecord AnswerAt(const QSqlQuery& query);
std::vector<TAnswerRecord> ReadAnswers(QSqlDatabase& db, QString* error);

} // namespace HistorySql
