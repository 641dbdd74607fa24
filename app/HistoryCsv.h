#pragma once

#include "history/HistoryRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The answer history as a CSV file for spreadsheets: UTF-8, a header row,
// one answer a row, fields quoted when they hold a comma, a quote or a line
// break (RFC 4180), rows ended by CR LF.

// The header row's fields, in order.
QStringList HistoryCsvHeader();

// A field as written: quoted, with its quotes doubled, when it needs to be.
QString CsvField(const QString& text);

QByteArray HistoryCsv(const std::vector<TAnswerRecord>& answers);

// Writes the file whole or not at all: an existing file is replaced only
// once every byte is on disk. Returns an empty string, or why it failed.
QString ExportHistoryCsv(const QString& path, const std::vector<TAnswerRecord>& answers);

// Splits CSV text into rows of fields. Raises EReadError for a quote left
// open or a character after a closing quote, naming the row.
std::vector<QStringList> ParseCsv(const QByteArray& utf8);

// Reads back what HistoryCsv wrote. Raises EReadError, naming the row and
// the field, for another header, a row of the wrong length or a value that
// is not one the export writes.
std::vector<TAnswerRecord> ReadHistoryCsv(const QByteArray& utf8);
