#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace data {

/// The 30 advertisement keywords, in order.
const QStringList& advertisementKeywords();
/// The picture (1 to 8) a keyword position (1 to 30) belongs to.
int advertisementPicture(int position);
/// The picture file of a picture number: "Reklam1.jpg" ... "Reklam8.jpg".
QString advertisementFile(int picture);

/// Upper-cases the ASCII letters a to z only; every other letter stays as it is.
QString asciiUpper(const QString& s);

/// The pictures a saved card brings up, in keyword order: for each keyword position whose
/// upper-cased keyword occurs in one of the upper-cased fields (Meslek, Firma, Isim, Adres,
/// EvAdres, Kariyer, Hitap, in that order), the picture of that position.
QVector<int> advertisementMatches(const QStringList& fields);

/// The fields of a contact card that are matched against the keywords, in order.
const QStringList& advertisementFields();

}  // namespace data
