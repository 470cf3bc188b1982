#pragma once

#include "report/listdataset.h"
#include "report/report.h"

#include <memory>

namespace fixture {

/// Geometry of the fixture report, in report pixels.
constexpr int kHeaderHeight = 40;
constexpr int kBandHeight = 30;

/// A small report of names, telephone memos and amounts: a header with a title and a rule,
/// and a detail band with three fields; the telephone grows downward.
inline void buildReport(report::Report& r, data::DataSet* ds) {
    using report::Control;
    r.title = QStringLiteral("Deneme Raporu");
    r.dataSet = ds;
    r.pageHeader.height = kHeaderHeight;
    Control title = Control::label(QStringLiteral("Baslik"), QRect(10, 5, 400, 22),
                                   QStringLiteral("Müşteri Listesi"));
    title.fontSize = 14;
    title.bold = true;
    r.pageHeader.controls << title
                          << Control::hline(QStringLiteral("Cizgi"), QRect(10, 34, 500, 1));
    r.detail.height = kBandHeight;
    Control isim =
        Control::field(QStringLiteral("T1"), QRect(10, 6, 200, 16), QStringLiteral("Isim"));
    Control tel =
        Control::field(QStringLiteral("T2"), QRect(220, 6, 150, 16), QStringLiteral("Telefon"));
    tel.autoStretch = true;
    Control tutar =
        Control::field(QStringLiteral("T3"), QRect(380, 6, 100, 16), QStringLiteral("Tutar"));
    tutar.alignment = Qt::AlignRight;
    r.detail.controls << isim << tel << tutar;
}

inline std::unique_ptr<report::ListDataSet> people(int count) {
    auto ds = std::make_unique<report::ListDataSet>(
        QStringList{QStringLiteral("Isim"), QStringLiteral("Telefon"), QStringLiteral("Tutar")});
    for (int i = 1; i <= count; ++i)
        ds->addRecord({QStringLiteral("Kişi %1").arg(i, 3, 10, QLatin1Char('0')),
                       QStringLiteral("0212 555 %1").arg(1000 + i), 10.5 * i});
    return ds;
}

}  // namespace fixture
