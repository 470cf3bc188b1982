#pragma once

#include "dialogs/service.h"

class QWidget;

namespace dialogs {

/// The program's dialog service: Qt's message boxes and file dialogs, in Turkish.
class QtService : public Service {
public:
    Button message(const Message& m) override;
    QString saveFile(const FileRequest& r) override;
    QString openFile(const FileRequest& r) override;
    bool askText(TextRequest& r) override;
};

/// Turns a filter of the form "Excel Dosyası (*.XLS)|*.XLS|Tüm dosyalar|*.*" into Qt's form.
QString qtFilter(const QString& filter);

/// Loads Qt's own Turkish texts ("Evet", "Hayır", "Tamam", "İptal") into the application.
/// Returns false when the translation file is not installed.
bool loadQtTurkish();

}  // namespace dialogs
