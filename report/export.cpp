#include "report/export.h"

#include "report/error.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>

namespace report {

QString FormatInfo::filter() const {
    return QStringLiteral("%1 (*.%2)|*.%2").arg(description, extension);
}

const QVector<FormatInfo>& formats() {
    static const QVector<FormatInfo> list = {
        {Format::Native, QStringLiteral("Rapor Dosyası"), QStringLiteral("QRP")},
        {Format::Html, QStringLiteral("İnternet Sayfası"), QStringLiteral("HTM")},
        {Format::Xls, QStringLiteral("Excel Dosyası"), QStringLiteral("XLS")},
        {Format::Rtf, QStringLiteral("Zengin Metin Dosyası"), QStringLiteral("RTF")},
        {Format::Csv, QStringLiteral("Virgülle Ayrılmış Dosya"), QStringLiteral("CSV")},
        {Format::Pdf, QStringLiteral("Adobe Acrobat Reader Dosyası"), QStringLiteral("PDF")},
    };
    return list;
}

const FormatInfo& formatInfo(Format f) {
    for (const FormatInfo& i : formats())
        if (i.format == f)
            return i;
    return formats().first();
}

void writeFileSafely(const QString& path, const std::function<void(QIODevice&)>& write) {
    const QString shown = QFileInfo(path).absoluteFilePath();
    if (path.isEmpty())
        throw Error(QStringLiteral("Dosya adı boş."));
    if (QFileInfo(path).isDir())
        throw Error(QStringLiteral("\"%1\" bir klasör; dosya yazılamadı.").arg(shown));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("\"%1\" dosyası yazılamadı: %2").arg(shown, file.errorString()));
    try {
        write(file);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (file.error() != QFileDevice::NoError) {
        const QString why = file.errorString();
        file.cancelWriting();
        file.commit();
        throw Error(QStringLiteral("\"%1\" dosyası yazılamadı: %2").arg(shown, why));
    }
    if (!file.commit())
        throw Error(QStringLiteral("\"%1\" dosyası yazılamadı: %2").arg(shown, file.errorString()));
}

static void writeBytes(const QString& path, const QByteArray& bytes) {
    writeFileSafely(path, [&](QIODevice& d) {
        if (d.write(bytes) != bytes.size()) {
            // QSaveFile keeps the error; writeFileSafely reports it
        }
    });
}

void exportTo(Format f, const PreparedReport& r, const QString& path) {
    switch (f) {
        case Format::Native:
            saveNative(r, path);
            return;
        case Format::Html:
            exportHtml(r, path);
            return;
        case Format::Xls:
            exportXls(r, path);
            return;
        case Format::Rtf:
            exportRtf(r, path);
            return;
        case Format::Csv:
            exportCsv(r, path);
            return;
        case Format::Pdf:
            exportPdf(r, path);
            return;
    }
}

void exportPdf(const PreparedReport& r, const QString& path) {
    writeFileSafely(path, [&](QIODevice& d) {
        QPdfWriter pdf(&d);
        pdf.setCreator(QStringLiteral("Tizgen"));
        pdf.setTitle(r.title);
        pdf.setResolution(int(kPixelsPerInch));
        pdf.setPageLayout(QPageLayout(
            QPageSize(r.paperMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        r.paintPages(pdf);
    });
}

void exportPng(const PreparedReport& r, int page, const QString& path, double scale) {
    if (page < 1 || page > r.pageCount())
        throw Error(QStringLiteral("Raporda %1. sayfa yok.").arg(page));
    const QImage img = r.pageImage(page, scale);
    writeFileSafely(path, [&](QIODevice& d) {
        if (!img.save(&d, "PNG"))
            throw Error(QStringLiteral("Resim yazılamadı: %1").arg(path));
    });
}

static QString htmlEscape(const QString& s) {
    return s.toHtmlEscaped();
}

static QString cssNumber(double v) {
    return QString::number(v, 'f', 2);
}

static QString cssColor(const QColor& c) {
    return c.name(QColor::HexRgb);
}

QByteArray htmlDocument(const PreparedReport& r) {
    QString out;
    QTextStream s(&out);
    const QSizeF px = r.pagePx();
    s << "<!DOCTYPE html>\n<html lang=\"tr\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
      << htmlEscape(r.title) << "</title>\n<style>\n"
      << "body{background:#808080;margin:0;padding:8px 0}\n"
      << ".page{position:relative;overflow:hidden;background:#fff;margin:0 auto 8px auto;width:"
      << cssNumber(px.width()) << "px;height:" << cssNumber(px.height())
      << "px;page-break-after:always}\n"
      << ".page span{position:absolute;white-space:pre;overflow:hidden}\n"
      << ".page div{position:absolute;box-sizing:border-box}\n";
    for (int i = 0; i < r.fonts.size(); ++i) {
        const FontSpec& f = r.fonts[i];
        s << ".f" << i << "{font-family:'" << f.family
          << "',sans-serif;font-size:" << cssNumber(f.pointSize)
          << "pt;font-weight:" << (f.bold ? "bold" : "normal")
          << ";font-style:" << (f.italic ? "italic" : "normal") << "}\n";
    }
    s << "@media "
         "print{body{background:#fff;padding:0}.page{margin:0}}\n</style>\n</head>\n<body>\n";
    for (int p = 0; p < r.pages.size(); ++p) {
        const Page& pg = r.pages[p];
        s << "<div class=\"page\" id=\"sayfa" << (p + 1) << "\">\n";
        for (const RectShape& rc : pg.rects) {
            s << "<div style=\"left:" << cssNumber(rc.rect.left())
              << "px;top:" << cssNumber(rc.rect.top()) << "px;width:" << cssNumber(rc.rect.width())
              << "px;height:" << cssNumber(rc.rect.height()) << "px;";
            if (rc.pen.isValid())
                s << "border:" << cssNumber(rc.penWidth) << "px solid " << cssColor(rc.pen) << ";";
            if (rc.brush.isValid())
                s << "background:" << cssColor(rc.brush) << ";";
            s << "\"></div>\n";
        }
        for (const LineShape& l : pg.lines) {
            const QRectF b = QRectF(l.line.p1(), l.line.p2()).normalized();
            s << "<div style=\"left:" << cssNumber(b.left())
              << "px;top:" << cssNumber(b.top() - l.width / 2)
              << "px;width:" << cssNumber(b.width())
              << "px;height:0;border-top:" << cssNumber(l.width) << "px solid " << cssColor(l.color)
              << "\"></div>\n";
        }
        for (const TextRun& t : pg.texts) {
            const double w = std::min(t.width, t.box.width() - (t.x - t.box.left()));
            s << "<span class=\"f" << t.font << "\" style=\"left:" << cssNumber(t.x)
              << "px;top:" << cssNumber(t.box.top())
              << "px;line-height:" << cssNumber(t.box.height())
              << "px;height:" << cssNumber(t.box.height()) << "px";
            if (t.width > t.box.width() + 0.5)
                s << ";width:" << cssNumber(std::max(0.0, w)) << "px";
            if (t.color != QColor(Qt::black))
                s << ";color:" << cssColor(t.color);
            s << "\">" << htmlEscape(t.text) << "</span>\n";
        }
        s << "</div>\n";
    }
    s << "</body>\n</html>\n";
    s.flush();
    return out.toUtf8();
}

void exportHtml(const PreparedReport& r, const QString& path) {
    writeBytes(path, htmlDocument(r));
}

static QString csvCell(const QString& v) {
    const bool quote = v.contains(QLatin1Char(',')) || v.contains(QLatin1Char('"')) ||
                       v.contains(QLatin1Char('\n')) || v.contains(QLatin1Char('\r')) ||
                       v.contains(QLatin1Char(';')) ||
                       (!v.isEmpty() && (v.front().isSpace() || v.back().isSpace()));
    if (!quote)
        return v;
    QString q = v;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QByteArray csvDocument(const PreparedReport& r) {
    QString out;
    for (const Page& pg : r.pages) {
        for (const auto& line : printedLines(pg)) {
            QStringList cells;
            for (const TextRun* t : line) cells << csvCell(t->text);
            out += cells.join(QLatin1Char(','));
            out += QLatin1String("\r\n");
        }
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

void exportCsv(const PreparedReport& r, const QString& path) {
    writeBytes(path, csvDocument(r));
}

static QByteArray cp1254Fallback(ushort u) {
    char byte = 0;
    switch (u) {
        case 0x011E:
            byte = char(0xD0);
            break;  // Ğ
        case 0x011F:
            byte = char(0xF0);
            break;  // ğ
        case 0x0130:
            byte = char(0xDD);
            break;  // İ
        case 0x0131:
            byte = char(0xFD);
            break;  // ı
        case 0x015E:
            byte = char(0xDE);
            break;  // Ş
        case 0x015F:
            byte = char(0xFE);
            break;  // ş
        default:
            if (u >= 0xA0 && u <= 0xFF && u != 0xD0 && u != 0xF0 && u != 0xDD && u != 0xFD &&
                u != 0xDE && u != 0xFE)
                byte = char(u);
    }
    if (!byte)
        return QByteArrayLiteral("?");
    static const char hex[] = "0123456789abcdef";
    QByteArray out("\\'");
    out += hex[(uchar(byte) >> 4) & 0xF];
    out += hex[uchar(byte) & 0xF];
    return out;
}

static QByteArray rtfText(const QString& s) {
    QByteArray out;
    out.reserve(s.size() + 8);
    for (const QChar ch : s) {
        const ushort u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += char(u);
        } else {
            // the Unicode letter, then its code-page 1254 byte for readers without Unicode
            out += "\\u" + QByteArray::number(qint16(u)) + cp1254Fallback(u);
        }
    }
    return out;
}

static int twips(double px) {
    return int(std::lround(px * 15.0));
}

QByteArray rtfDocument(const PreparedReport& r) {
    QByteArray s;
    s += "{\\rtf1\\ansi\\ansicpg1254\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < r.fonts.size(); ++i) {
        const QString fam = r.fonts[i].family;
        const char* kind =
            fam.contains(QLatin1String("Mono")) ? "\\fmodern"
            : fam.contains(QLatin1String("Serif")) && !fam.contains(QLatin1String("Sans"))
                ? "\\froman"
                : "\\fswiss";
        s += "{\\f" + QByteArray::number(i) + kind + "\\fcharset162 " + rtfText(fam) + ";}";
    }
    if (r.fonts.isEmpty())
        s += "{\\f0\\fswiss\\fcharset162 Liberation Sans;}";
    s += "}\n{\\info{\\title " + rtfText(r.title) + "}}\n";
    const QSizeF px = r.pagePx();
    s += "\\paperw" + QByteArray::number(twips(px.width())) + "\\paperh" +
         QByteArray::number(twips(px.height())) +
         "\\margl0\\margr0\\margt0\\margb0\\sectd\\pgwsxn" + QByteArray::number(twips(px.width())) +
         "\\pghsxn" + QByteArray::number(twips(px.height())) +
         "\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0\n";
    for (int p = 0; p < r.pages.size(); ++p) {
        double prevBottom = 0;
        const auto lines = printedLines(r.pages[p]);
        for (int li = 0; li < lines.size(); ++li) {
            const auto& line = lines[li];
            double top = line.first()->box.top(), height = 0;
            for (const TextRun* t : line) height = std::max(height, t->box.height());
            s += "\\pard\\plain";
            if (p > 0 && li == 0)
                s += "\\pagebb";
            s += "\\sb" + QByteArray::number(std::max(0, twips(top - prevBottom))) + "\\sa0\\sl-" +
                 QByteArray::number(std::max(1, twips(height))) + "\\slmult0";
            // a tab stop at each field's left edge places the field where it stands on the page
            double lastStop = -1;
            for (const TextRun* t : line) {
                if (t->x > 0.5 && t->x > lastStop + 0.5) {
                    s += "\\tx" + QByteArray::number(twips(t->x));
                    lastStop = t->x;
                }
            }
            s += ' ';
            lastStop = -1;
            for (const TextRun* t : line) {
                if (t->x > 0.5 && t->x > lastStop + 0.5) {
                    s += "\\tab ";
                    lastStop = t->x;
                } else if (lastStop >= 0) {
                    s += ' ';
                }
                const FontSpec& f = r.fonts.value(t->font);
                s += "{\\f" + QByteArray::number(t->font) + "\\fs" +
                     QByteArray::number(int(std::lround(f.pointSize * 2)));
                if (f.bold)
                    s += "\\b";
                if (f.italic)
                    s += "\\i";
                s += ' ' + rtfText(t->text) + '}';
            }
            s += "\\par\n";
            prevBottom = top + height;
        }
        if (lines.isEmpty() && p > 0)
            s += "\\pard\\plain\\pagebb\\par\n";
    }
    s += "}\n";
    return s;
}

void exportRtf(const PreparedReport& r, const QString& path) {
    writeBytes(path, rtfDocument(r));
}

static const char kMagic[] = "TIZGEN-RAPOR\n";
static constexpr quint32 kNativeVersion = 1;

QByteArray nativeDocument(const PreparedReport& r) {
    QByteArray payload;
    {
        QDataStream s(&payload, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_6_0);
        s << r.title << r.paperMm << qint32(r.fonts.size());
        for (const FontSpec& f : r.fonts) s << f.family << f.pointSize << f.bold << f.italic;
        s << qint32(r.pages.size());
        for (const Page& pg : r.pages) {
            s << qint32(pg.rects.size());
            for (const RectShape& x : pg.rects) s << x.rect << x.penWidth << x.pen << x.brush;
            s << qint32(pg.lines.size());
            for (const LineShape& x : pg.lines) s << x.line << x.width << x.color;
            s << qint32(pg.texts.size());
            for (const TextRun& x : pg.texts)
                s << x.box << x.x << x.baseline << x.width << x.text << qint32(x.font) << x.color
                  << x.field;
        }
    }
    const QByteArray packed = qCompress(payload, 6);
    QByteArray out(kMagic);
    QDataStream h(&out, QIODevice::Append);
    h.setVersion(QDataStream::Qt_6_0);
    h << kNativeVersion << quint64(packed.size());
    out += QCryptographicHash::hash(packed, QCryptographicHash::Sha256);
    out += packed;
    return out;
}

void saveNative(const PreparedReport& r, const QString& path) {
    writeBytes(path, nativeDocument(r));
}

PreparedReport readNative(const QByteArray& bytes, const QString& name) {
    const QString notOurs =
        QStringLiteral("\"%1\" bir rapor dosyası değil; yüklenemedi.").arg(name);
    const QString damaged = QStringLiteral("\"%1\" rapor dosyası bozuk; yüklenemedi.").arg(name);
    const int magicLen = int(sizeof(kMagic) - 1);
    if (!bytes.startsWith(QByteArray(kMagic, magicLen)))
        throw Error(notOurs);
    QDataStream h(bytes.mid(magicLen, 12));
    h.setVersion(QDataStream::Qt_6_0);
    quint32 version = 0;
    quint64 size = 0;
    h >> version >> size;
    if (h.status() != QDataStream::Ok)
        throw Error(damaged);
    if (version == 0 || version > kNativeVersion)
        throw Error(QStringLiteral("\"%1\" rapor dosyası bu programın okuyamadığı bir sürümde "
                                   "(%2); yüklenemedi.")
                        .arg(name)
                        .arg(version));
    const int headerLen = magicLen + 12 + 32;
    if (quint64(bytes.size()) != headerLen + size)
        throw Error(damaged);
    const QByteArray hash = bytes.mid(magicLen + 12, 32);
    const QByteArray packed = bytes.mid(headerLen);
    if (QCryptographicHash::hash(packed, QCryptographicHash::Sha256) != hash)
        throw Error(damaged);
    const QByteArray payload = qUncompress(packed);
    if (payload.isEmpty())
        throw Error(damaged);

    PreparedReport r;
    QDataStream s(payload);
    s.setVersion(QDataStream::Qt_6_0);
    auto count = [&](qint32 n) {
        if (s.status() != QDataStream::Ok || n < 0 || n > payload.size())
            throw Error(damaged);
        return n;
    };
    qint32 n = 0;
    s >> r.title >> r.paperMm >> n;
    r.fonts.resize(count(n));
    for (FontSpec& f : r.fonts) s >> f.family >> f.pointSize >> f.bold >> f.italic;
    s >> n;
    r.pages.resize(count(n));
    for (Page& pg : r.pages) {
        s >> n;
        pg.rects.resize(count(n));
        for (RectShape& x : pg.rects) s >> x.rect >> x.penWidth >> x.pen >> x.brush;
        s >> n;
        pg.lines.resize(count(n));
        for (LineShape& x : pg.lines) s >> x.line >> x.width >> x.color;
        s >> n;
        pg.texts.resize(count(n));
        for (TextRun& x : pg.texts) {
            qint32 font = 0;
            s >> x.box >> x.x >> x.baseline >> x.width >> x.text >> font >> x.color >> x.field;
            if (font < 0 || font >= r.fonts.size())
                throw Error(damaged);
            x.font = font;
        }
    }
    if (s.status() != QDataStream::Ok || !s.atEnd())
        throw Error(damaged);
    if (!(r.paperMm.width() > 0 && r.paperMm.height() > 0 && r.paperMm.width() < 10000 &&
          r.paperMm.height() < 10000))
        throw Error(damaged);
    return r;
}

PreparedReport loadNative(const QString& path) {
    QFile f(path);
    if (!f.exists())
        throw Error(QStringLiteral("File does not exist"));
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("\"%1\" dosyası okunamadı: %2").arg(path, f.errorString()));
    return readNative(f.readAll(), path);
}

bool spreadsheetNumber(const QString& text, double& value) {
    static const QRegularExpression re(
        QStringLiteral("^([-+]?)(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d+))?$"));
    const QString t = text.trimmed();
    const auto m = re.match(t);
    if (!m.hasMatch())
        return false;
    QString whole = m.captured(2);
    whole.remove(QLatin1Char('.'));
    if (whole.size() > 1 && whole.front() == QLatin1Char('0'))
        return false;
    const QString frac = m.captured(3);
    if (whole.size() + frac.size() > 15)
        return false;
    bool ok = false;
    const double v = (whole + (frac.isEmpty() ? QString() : QLatin1Char('.') + frac)).toDouble(&ok);
    if (!ok)
        return false;
    value = m.captured(1) == QLatin1String("-") ? -v : v;
    return true;
}

}  // namespace report
