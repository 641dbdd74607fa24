#pragma once

#include "history/HistoryRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>

class THistoryReader;

// The answer history as a CSV file for spreadsheets: UTF-8, a header row,
// one answer a row, fields quoted when they hold a comma, a quote or a line
// break (RFC 4180), rows ended by CR LF. Text that a spreadsheet would
// take for a formula (a practice's name is the player's own) begins with an
// apostrophe in the file.

// The header row's fields, in order.
QStringList HistoryCsvHeader();

// Appends one answer's row, CR LF included. A key, clef or input that the
// program does not know (a damaged record) is written as its number.
void AppendHistoryCsvRow(QByteArray& out, const TAnswerRecord& answer);

struct THistoryCsvResult
{
    int64_t Written = 0; // answers written
    bool Cancelled = false;
    QString Error; // empty when the file was written or the export cancelled
};

// Writes every answer of the history to the file at `path` as the history
// hands them over, a slice at a time, so that memory stays the same however
// long the history is. The rows go to a temporary file beside it, which
// takes the file's name only once every byte is on disk: a cancelled or
// failed export leaves no file behind, and an existing file as it was.
// `cancel` is watched between answers; `progress(written, total)` is told
// when the count is known and after each slice. Runs on the calling thread.
THistoryCsvResult WriteHistoryCsv(const THistoryReader& history, const QString& path, const std::atomic<bool>& cancel,
                                  const std::function<void(int64_t written, int64_t total)>& progress = {});
