#pragma once

#include "history/HistoryRecords.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace lirasto::test {

// Splits CSV text into rows of fields. Raises EReadError for a quote left
// open or a character after a closing quote, naming the row.
std::vector<QStringList> ParseCsv(const QByteArray& utf8);

// Reads back what the history export wrote. Raises EReadError, naming the
// row and the field, for another header, a row of the wrong length or a value
// that is not one the export writes.
std::vector<TAnswerRecord> ReadHistoryCsv(const QByteArray& utf8);

} // namespace lirasto::test
