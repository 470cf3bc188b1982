// The legacy workbook: BIFF8 records in a compound file. libgsf writes the container; the
// records are the few a workbook needs: the globals (fonts, cell formats, one style, the sheet
// list) and per sheet its size, its cells and its window.
#include <gsf/gsf-infile.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include "report/error.h"
#include "report/export.h"

#include <QtEndian>
#include <cstring>
#include <mutex>

namespace report {

namespace {

class Biff {
public:
    QByteArray data;

    void u8(quint8 v) { data.append(char(v)); }
    void u16(quint16 v) {
        u8(quint8(v & 0xFF));
        u8(quint8(v >> 8));
    }
    void u32(quint32 v) {
        u16(quint16(v & 0xFFFF));
        u16(quint16(v >> 16));
    }
    void f64(double v) {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(quint32(bits & 0xFFFFFFFFu));
        u32(quint32(bits >> 32));
    }
    /// Starts a record; end() fills in its length.
    void begin(quint16 id) {
        u16(id);
        lengthAt_ = data.size();
        u16(0);
    }
    void end() {
        const int len = data.size() - lengthAt_ - 2;
        data[lengthAt_] = char(len & 0xFF);
        data[lengthAt_ + 1] = char((len >> 8) & 0xFF);
    }
    /// A string with a one-byte (short) or two-byte length, Latin-1 when every letter allows
    /// it, else UTF-16.
    void string(const QString& s, bool shortLength) {
        const bool wide =
            std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() > 0xFF; });
        if (shortLength)
            u8(quint8(s.size()));
        else
            u16(quint16(s.size()));
        u8(wide ? 1 : 0);
        for (const QChar c : s) {
            if (wide)
                u16(c.unicode());
            else
                u8(quint8(c.unicode()));
        }
    }

private:
    int lengthAt_ = 0;
};

constexpr int kMaxRows = 65536;
constexpr int kMaxCols = 256;
constexpr int kMaxLabel = 255;
constexpr quint16 kCellXf = 15;

void bof(Biff& b, quint16 type) {
    b.begin(0x0809);
    b.u16(0x0600);  // BIFF8
    b.u16(type);
    b.u16(0x0DBB);
    b.u16(0x07CC);
    b.u32(0);
    b.u32(0x00000006);
    b.end();
}

void eof(Biff& b) {
    b.begin(0x000A);
    b.end();
}

struct Cell {
    bool number = false;
    double value = 0;
    QString text;
};
using Row = QVector<Cell>;

void globals(Biff& b, const QStringList& sheetNames, QVector<int>& sheetOffsetAt) {
    bof(b, 0x0005);
    b.begin(0x00E1);  // INTERFACEHDR
    b.u16(0x04B0);
    b.end();
    b.begin(0x0042);  // CODEPAGE: UTF-16
    b.u16(0x04B0);
    b.end();
    b.begin(0x003D);  // WINDOW1
    b.u16(0x0168);
    b.u16(0x001E);
    b.u16(0x4000);
    b.u16(0x2000);
    b.u16(0x0038);
    b.u16(0);
    b.u16(0);
    b.u16(1);
    b.u16(0x0258);
    b.end();
    b.begin(0x0022);  // DATEMODE 1900
    b.u16(0);
    b.end();
    for (int i = 0; i < 5; ++i) {  // FONT; index 4 is never referred to
        b.begin(0x0031);
        b.u16(200);
        b.u16(0);
        b.u16(0x7FFF);
        b.u16(400);
        b.u16(0);
        b.u8(0);
        b.u8(0);
        b.u8(162);  // Turkish character set
        b.u8(0);
        b.string(QStringLiteral("Arial"), true);
        b.end();
    }
    // 15 style formats and the one cell format that every cell uses
    for (int i = 0; i < 16; ++i) {
        const bool style = i < 15;
        b.begin(0x00E0);
        b.u16(style && i >= 1 && i <= 4 ? (i <= 2 ? 1 : 2) : 0);
        b.u16(0);
        b.u16(style ? 0xFFF5 : 0x0001);
        b.u8(0x20);
        b.u8(0);
        b.u8(0);
        b.u8(style && i > 0 ? 0xF4 : 0);
        b.u32(0);
        b.u32(0);
        b.u16(0x20C0);
        b.end();
    }
    b.begin(0x0293);  // STYLE: the built-in Normal style
    b.u16(0x8000);
    b.u8(0);
    b.u8(0xFF);
    b.end();
    for (const QString& name : sheetNames) {
        b.begin(0x0085);  // BOUNDSHEET
        sheetOffsetAt.push_back(b.data.size());
        b.u32(0);
        b.u16(0);
        b.string(name, true);
        b.end();
    }
    eof(b);
}

void sheet(Biff& b, const QVector<Row>& rows, int from, int to) {
    bof(b, 0x0010);
    int cols = 1;
    for (int r = from; r < to; ++r) cols = std::max(cols, int(rows[r].size()));
    b.begin(0x0200);  // DIMENSIONS
    b.u32(0);
    b.u32(quint32(std::max(1, to - from)));
    b.u16(0);
    b.u16(quint16(std::min(cols, kMaxCols)));
    b.u16(0);
    b.end();
    for (int r = from; r < to; ++r) {
        const Row& row = rows[r];
        for (int c = 0; c < row.size() && c < kMaxCols; ++c) {
            const Cell& cell = row[c];
            if (cell.number) {
                b.begin(0x0203);  // NUMBER
                b.u16(quint16(r - from));
                b.u16(quint16(c));
                b.u16(kCellXf);
                b.f64(cell.value);
                b.end();
            } else {
                b.begin(0x0204);  // LABEL
                b.u16(quint16(r - from));
                b.u16(quint16(c));
                b.u16(kCellXf);
                b.string(cell.text.left(kMaxLabel), false);
                b.end();
            }
        }
    }
    b.begin(0x023E);  // WINDOW2
    b.u16(from == 0 ? 0x06B6 : 0x00B6);
    b.u16(0);
    b.u16(0);
    b.u16(0x40);
    b.u16(0);
    b.u16(0);
    b.u16(0);
    b.u32(0);
    b.end();
    eof(b);
}

QByteArray workbookStream(const PreparedReport& r) {
    QVector<Row> rows;
    for (const Page& pg : r.pages) {
        for (const auto& line : printedLines(pg)) {
            Row row;
            for (const TextRun* t : line) {
                Cell c;
                c.text = t->text;
                c.number = spreadsheetNumber(t->text, c.value);
                row.push_back(c);
            }
            rows.push_back(row);
        }
    }
    QStringList names;
    const int sheets = std::max(1, int((rows.size() + kMaxRows - 1) / kMaxRows));
    for (int i = 0; i < sheets; ++i) names << QStringLiteral("Sayfa%1").arg(i + 1);
    Biff b;
    QVector<int> offsetAt;
    globals(b, names, offsetAt);
    for (int i = 0; i < sheets; ++i) {
        const quint32 at = quint32(b.data.size());
        qToLittleEndian<quint32>(at, b.data.data() + offsetAt[i]);
        sheet(b, rows, i * kMaxRows, std::min<int>(rows.size(), (i + 1) * kMaxRows));
    }
    // Streams under 4096 bytes would go to the compound file's mini stream, which some
    // programs read badly; the zeros after the last EOF are ignored.
    if (b.data.size() < 4096)
        b.data.append(QByteArray(4096 - b.data.size(), '\0'));
    return b.data;
}

}  // namespace

QByteArray xlsDocument(const PreparedReport& r) {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
    const QByteArray stream = workbookStream(r);

    GsfOutput* mem = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(mem);
    if (!ole) {
        g_object_unref(mem);
        throw Error(QStringLiteral("Excel dosyası hazırlanamadı."));
    }
    GsfOutput* child = gsf_outfile_new_child(ole, "Workbook", FALSE);
    bool ok = child && gsf_output_write(child, size_t(stream.size()),
                                        reinterpret_cast<const guint8*>(stream.constData()));
    if (child) {
        ok = gsf_output_close(child) && ok;
        g_object_unref(child);
    }
    ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
    g_object_unref(ole);
    QByteArray out;
    if (ok) {
        const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(mem));
        out = QByteArray(reinterpret_cast<const char*>(bytes), int(gsf_output_size(mem)));
    }
    g_object_unref(mem);
    if (!ok || out.isEmpty())
        throw Error(QStringLiteral("Excel dosyası hazırlanamadı."));
    return out;
}

void exportXls(const PreparedReport& r, const QString& path) {
    const QByteArray bytes = xlsDocument(r);
    writeFileSafely(path, [&](QIODevice& d) { d.write(bytes); });
}

}  // namespace report
