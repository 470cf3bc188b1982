#include "dialogs/qt/qtdialogs.h"

#include "dialogs/qt/asktext.h"

#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace dialogs {

Button QtService::message(const Message& m) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(m.caption.isEmpty() ? applicationTitle() : m.caption);
    // the program's messages may break their lines with a lone CR
    box.setText(QString(m.text)
                    .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                    .replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (m.icon) {
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::None:
            break;
    }
    QMessageBox::StandardButtons sb;
    if (m.buttons & Ok)
        sb |= QMessageBox::Ok;
    if (m.buttons & Cancel)
        sb |= QMessageBox::Cancel;
    if (m.buttons & Yes)
        sb |= QMessageBox::Yes;
    if (m.buttons & No)
        sb |= QMessageBox::No;
    box.setStandardButtons(sb);
    auto toStd = [](Button b) {
        switch (b) {
            case Ok:
                return QMessageBox::Ok;
            case Cancel:
                return QMessageBox::Cancel;
            case Yes:
                return QMessageBox::Yes;
            case No:
                return QMessageBox::No;
            default:
                return QMessageBox::NoButton;
        }
    };
    if (m.defaultButton != NoButton)
        box.setDefaultButton(toStd(m.defaultButton));
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Ok;
        case QMessageBox::Yes:
            return Yes;
        case QMessageBox::No:
            return No;
        default:
            return (m.buttons & No) ? No : Cancel;
    }
}

QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!name.contains(QLatin1Char('(')))
            name += QStringLiteral(" (%1)").arg(pattern);
        out << name;
    }
    if (parts.size() == 1 && !filter.isEmpty())
        out << filter;
    return out.join(QStringLiteral(";;"));
}

static QString withFolder(const FileRequest& r) {
    if (r.folder.isEmpty())
        return r.fileName;
    return r.folder + QLatin1Char('/') + r.fileName;
}

QString QtService::saveFile(const FileRequest& r) {
    QFileDialog dlg(QApplication::activeWindow(), r.title, withFolder(r), qtFilter(r.filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(r.defaultExtension);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

QString QtService::openFile(const FileRequest& r) {
    QFileDialog dlg(QApplication::activeWindow(), r.title, withFolder(r), qtFilter(r.filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setDefaultSuffix(r.defaultExtension);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

bool QtService::askText(TextRequest& r) {
    return AskText::ask(r, QApplication::activeWindow());
}

bool loadQtTurkish() {
    auto* tr = new QTranslator(qApp);
    if (!tr->load(QStringLiteral("qtbase_tr"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete tr;
        return false;
    }
    QCoreApplication::installTranslator(tr);
    return true;
}

}  // namespace dialogs
