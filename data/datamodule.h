#pragma once

#include "data/cursor.h"
#include "data/database.h"
#include "data/locale.h"
#include "data/query.h"

#include <QObject>
#include <functional>
#include <memory>

namespace data {

/// Names a data set for the controls bound to it; the data set may be swapped.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(DataSet* set = nullptr, QObject* parent = nullptr)
        : QObject(parent), set_(set) {}
    DataSet* dataSet() const { return set_; }
    void setDataSet(DataSet* s) {
        if (s == set_)
            return;
        set_ = s;
        emit dataSetChanged();
    }

signals:
    void dataSetChanged();

private:
    DataSet* set_;
};

}  // namespace data

/// The shared data module: the database ANA, the shared cursors and their data sources, and the
/// record rules of the contact table. One exists for the whole run (DMKuvPro).
class TDMKuvPro : public QObject {
    Q_OBJECT
public:
    /// Connects the database in the data folder and runs DataModuleCreate.
    explicit TDMKuvPro(const QString& folder, QObject* parent = nullptr);
    ~TDMKuvPro() override;

    data::Database& Tizgen() { return *db_; }

    data::Cursor* MustFirmaTanTbl;
    data::Cursor* AyarTbl;
    data::Cursor* CariBagimsiz;
    data::Cursor* FormT;
    data::Query* IthQ;
    data::Query* MasrafQ;
    data::DataSource* MustFirmaTanS;
    data::DataSource* AyarS;
    data::DataSource* FormS;

    /// The currency's decimal digits and decimal separator, read at creation.
    data::LocaleValues localeValues;

    /// Opens the one calculator window (installed by the calculator).
    void ShowCalculator();
    std::function<void()> showCalculatorHook;
    /// Shows a picture file in the sponsor window (installed by the program's shell).
    std::function<void(const QString& path)> showSponsorPicture;

    void DataModuleCreate();
    void MustFirmaTanTblBeforeOpen(data::DataSet& set);
    void MustFirmaTanTblBeforePost(data::DataSet& set);
    void MustFirmaTanTblAfterPost(data::DataSet& set);
    void MustFirmaTanTblBeforeDelete(data::DataSet& set);

    /// Kod of the producer's own card, which may be neither changed nor deleted.
    static constexpr int producerKod = 5;

private:
    std::unique_ptr<data::Database> db_;
};

/// The program-wide reference to the data module (null until it is created).
extern TDMKuvPro* DMKuvPro;
