#include "data/datamodule.h"

#include "data/rules.h"
#include "dialogs/service.h"

#include <QDir>
#include <QFileInfo>

TDMKuvPro* DMKuvPro = nullptr;

TDMKuvPro::TDMKuvPro(const QString& folder, QObject* parent)
    : QObject(parent), db_(std::make_unique<data::Database>(folder)) {
    MustFirmaTanTbl = new data::Cursor(*db_, QStringLiteral("Mustfirmadata"), this);
    MustFirmaTanTbl->setObjectName(QStringLiteral("MustFirmaTanTbl"));
    AyarTbl = new data::Cursor(*db_, QStringLiteral("Datanames"), this);
    AyarTbl->setObjectName(QStringLiteral("AyarTbl"));
    AyarTbl->setFiltered(false);
    CariBagimsiz = new data::Cursor(*db_, QStringLiteral("Datanames"), this);
    CariBagimsiz->setObjectName(QStringLiteral("CariBagimsiz"));
    FormT = new data::Cursor(*db_, QStringLiteral("AYARLAR"), this);
    FormT->setObjectName(QStringLiteral("FormT"));
    FormT->setFiltered(false);
    IthQ = new data::Query(*db_, this);
    IthQ->setObjectName(QStringLiteral("IthQ"));
    IthQ->setSql(QStringLiteral("Select * from DataNames"));
    MasrafQ = new data::Query(*db_, this);
    MasrafQ->setObjectName(QStringLiteral("MasrafQ"));
    MasrafQ->setSql(QStringLiteral("Select * from DataNames"));
    MustFirmaTanS = new data::DataSource(MustFirmaTanTbl, this);
    AyarS = new data::DataSource(AyarTbl, this);
    FormS = new data::DataSource(FormT, this);

    for (data::Cursor* c : {MustFirmaTanTbl, AyarTbl, CariBagimsiz, FormT})
        c->on(data::Event::BeforeOpen, [this](data::DataSet& s) { MustFirmaTanTblBeforeOpen(s); });
    MustFirmaTanTbl->on(data::Event::BeforePost,
                        [this](data::DataSet& s) { MustFirmaTanTblBeforePost(s); });
    MustFirmaTanTbl->on(data::Event::AfterPost,
                        [this](data::DataSet& s) { MustFirmaTanTblAfterPost(s); });
    MustFirmaTanTbl->on(data::Event::BeforeDelete,
                        [this](data::DataSet& s) { MustFirmaTanTblBeforeDelete(s); });
    if (!DMKuvPro)
        DMKuvPro = this;
    DataModuleCreate();
}

TDMKuvPro::~TDMKuvPro() {
    if (DMKuvPro == this)
        DMKuvPro = nullptr;
}

void TDMKuvPro::DataModuleCreate() {
    localeValues = data::localeValues(QLocale::system());
    // a data folder without the label table is a new one: make every missing table
    if (!db_->tableExists(QStringLiteral("Etiket")))
        db_->createMissingTables();
}

void TDMKuvPro::MustFirmaTanTblBeforeOpen(data::DataSet& set) {
    if (auto* c = qobject_cast<data::Cursor*>(&set))
        db_->checkTable(c->table().name);
}

void TDMKuvPro::MustFirmaTanTblBeforePost(data::DataSet& set) {
    auto* c = qobject_cast<data::Cursor*>(&set);
    const QVariant kod = set.value(QStringLiteral("Kod"));
    // the stored key counts too, so the card cannot be moved away from Kod 5 either
    const bool producer = (!kod.isNull() && kod.toInt() == producerKod) ||
                          (c && set.state() == data::State::Edit && c->rowId() == producerKod);
    if (!producer)
        return;
    dialogs::service().message(
        {QString::fromUtf8("Değiştirilemez"),
         QString::fromUtf8(
             "Bu programın üreticisini değiştirmek istediniz. Program doğru çalışmayabilir."),
         dialogs::Icon::None, dialogs::Ok, dialogs::Ok});
    throw data::Abort();
}

void TDMKuvPro::MustFirmaTanTblBeforeDelete(data::DataSet& set) {
    const QVariant kod = set.value(QStringLiteral("Kod"));
    if (kod.isNull() || kod.toInt() != producerKod)
        return;
    dialogs::service().message(
        {QString::fromUtf8("Silinemez"),
         QString::fromUtf8(
             "Bu programın üreticisini silmek istediniz. Program doğru çalışmayabilir."),
         dialogs::Icon::None, dialogs::Ok, dialogs::Ok});
    throw data::Abort();
}

void TDMKuvPro::MustFirmaTanTblAfterPost(data::DataSet& set) {
    QStringList fields;
    for (const QString& f : data::advertisementFields()) fields << set.text(f);
    for (int picture : data::advertisementMatches(fields)) {
        const QString path = QDir::current().filePath(data::advertisementFile(picture));
        if (QFileInfo::exists(path) && showSponsorPicture)
            showSponsorPicture(path);
    }
}

void TDMKuvPro::ShowCalculator() {
    if (showCalculatorHook)
        showCalculatorHook();
}
