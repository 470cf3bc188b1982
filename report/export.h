#pragma once

#include "report/prepared.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QVector>
#include <functional>

namespace report {

/// The file formats a prepared report is saved in.
enum class Format { Native, Html, Xls, Rtf, Csv, Pdf };

struct FormatInfo {
    Format format;
    QString description;  ///< "Excel Dosyası"
    QString extension;    ///< "XLS", without the dot
    /// "Excel Dosyası (*.XLS)|*.XLS"
    QString filter() const;
};

/// The formats in the order the save dialog offers them: the native report file first, then
/// HTML, XLS, RTF, CSV and PDF.
const QVector<FormatInfo>& formats();
const FormatInfo& formatInfo(Format f);

/// Writes a file through a temporary file that replaces the target only when everything was
/// written: a failed export leaves no half-written file under the chosen name.
/// Throws Error with a Turkish message when the file cannot be written.
void writeFileSafely(const QString& path, const std::function<void(QIODevice&)>& write);

/// Exports in a format (Native saves the report file). Throws Error.
void exportTo(Format f, const PreparedReport& r, const QString& path);

/// PDF of the true page size, text as text with its fonts embedded.
void exportPdf(const PreparedReport& r, const QString& path);
/// One page (1-based) as a PNG picture, `scale` image pixels per report pixel.
void exportPng(const PreparedReport& r, int page, const QString& path, double scale = 1.0);

/// One HTML document, the pages in order, each text placed where it stands on the page.
QByteArray htmlDocument(const PreparedReport& r);
void exportHtml(const PreparedReport& r, const QString& path);

/// One record per printed line, the fields left to right; UTF-8 with a byte-order mark,
/// values quoted where needed, lines ended by CR LF.
QByteArray csvDocument(const PreparedReport& r);
void exportCsv(const PreparedReport& r, const QString& path);

/// Rich text: the lines of each page in order, the fields at their tab positions, a page
/// break between pages.
QByteArray rtfDocument(const PreparedReport& r);
void exportRtf(const PreparedReport& r, const QString& path);

/// A legacy Excel workbook (BIFF8 in a compound file): one row per printed line, one cell per
/// field left to right, numbers as numbers.
QByteArray xlsDocument(const PreparedReport& r);
void exportXls(const PreparedReport& r, const QString& path);

/// The report file: the prepared pages, loaded back page for page.
QByteArray nativeDocument(const PreparedReport& r);
void saveNative(const PreparedReport& r, const QString& path);
/// Throws Error for a missing, foreign, damaged or newer file.
PreparedReport loadNative(const QString& path);
PreparedReport readNative(const QByteArray& bytes, const QString& nameForMessages);

/// The cell value a spreadsheet gets for a printed text: a number when the text is one
/// ("12", "-3,5", "1.234,50"; not "0532..." whose leading zero matters), else the text.
bool spreadsheetNumber(const QString& text, double& value);

}  // namespace report
