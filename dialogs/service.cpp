#include "dialogs/service.h"

#include "data/errors.h"

#include <cstdio>

namespace dialogs {
namespace {

class ConsoleService : public Service {
public:
    Button message(const Message& m) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(m.caption), qPrintable(m.text));
        if (m.defaultButton != NoButton)
            return m.defaultButton;
        for (Button b : {Ok, Yes, No, Cancel})
            if (m.buttons & b)
                return b;
        return Ok;
    }
    QString saveFile(const FileRequest&) override { return {}; }
    QString openFile(const FileRequest&) override { return {}; }
    bool askText(TextRequest&) override { return false; }
};

ConsoleService console;
Service* current = nullptr;
QString title;
bool appHandler = false;

}  // namespace

Service& service() {
    return current ? *current : console;
}
void install(Service* s) {
    current = s;
}

void inform(const QString& caption, const QString& text, Icon icon) {
    service().message({caption, text, icon, Ok, Ok});
}

void warn(const QString& caption, const QString& text) {
    service().message({caption, text, Icon::Warning, Ok, Ok});
}

bool ask(const QString& caption, const QString& text) {
    return service().message({caption, text, Icon::Question, Yes | No, Yes}) == Yes;
}

void setApplicationTitle(const QString& t) {
    title = t;
}
QString applicationTitle() {
    return title;
}

void showException(const std::exception& e) {
    if (dynamic_cast<const data::Abort*>(&e))
        return;
    const auto* de = dynamic_cast<const data::Error*>(&e);
    if (appHandler && de && de->code() == data::Error::Code::Conversion) {
        service().message({QString(), QStringLiteral("Yanlış girdiniz!"), Icon::Error, Ok, Ok});
        return;
    }
    const QString text = de ? de->message() : QString::fromLocal8Bit(e.what());
    service().message({title, text, Icon::Error, Ok, Ok});
}

void installAppException() {
    appHandler = true;
}
bool appExceptionInstalled() {
    return appHandler;
}
void resetAppException() {
    appHandler = false;
}

}  // namespace dialogs
