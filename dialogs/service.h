#pragma once

#include <QString>
#include <QStringList>
#include <exception>

namespace dialogs {

enum class Icon { None, Information, Warning, Error, Question };

enum Button : int {
    NoButton = 0,
    Ok = 1,
    Cancel = 2,
    Yes = 4,
    No = 8,
};
using Buttons = int;

/// A message box: caption, text, icon, the buttons offered.
struct Message {
    QString caption;
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Ok;
    Button defaultButton = NoButton;
};

/// A file dialog: title, filter ("Excel Dosyası (*.XLS)|*.XLS"), default extension, file name.
struct FileRequest {
    QString title;
    QString filter;
    QString defaultExtension;
    QString fileName;
    QString folder;
};

/// A one-line question with a text answer (the go-to-page and e-mail address questions).
struct TextRequest {
    QString caption;
    QString prompt;
    QString value;
};

/// Shows messages, questions and file dialogs. The program installs the one that uses Qt's
/// dialogs; tests install a scripted one that records what was shown and gives set answers.
class Service {
public:
    virtual ~Service() = default;
    /// Shows the message modally and returns the button pressed (Cancel/No when closed).
    virtual Button message(const Message& m) = 0;
    /// Asks for a file to write; an empty text when the user cancelled.
    virtual QString saveFile(const FileRequest& r) = 0;
    /// Asks for a file to read; an empty text when the user cancelled.
    virtual QString openFile(const FileRequest& r) = 0;
    /// Asks for a line of text; false when the user cancelled.
    virtual bool askText(TextRequest& r) = 0;
};

/// The service in use. Before any was installed, a console one that prints to stderr and
/// answers each message with its default (or first) button.
Service& service();
/// Installs a service (not owned; nullptr restores the console one).
void install(Service* s);

/// An information box with an OK button.
void inform(const QString& caption, const QString& text, Icon icon = Icon::Information);
/// A warning box with an OK button.
void warn(const QString& caption, const QString& text);
/// A Yes/No question; true for Yes.
bool ask(const QString& caption, const QString& text);

/// The caption of the toolkit's standard error message: the application title.
void setApplicationTitle(const QString& title);
QString applicationTitle();

/// Shows an exception as the program does: a conversion error as "Yanlış girdiniz!" once the
/// program's handler is installed, every other error (and all before) as the standard message.
void showException(const std::exception& e);
void installAppException();
bool appExceptionInstalled();
void resetAppException();  ///< for tests

}  // namespace dialogs
