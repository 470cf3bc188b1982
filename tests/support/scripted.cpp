#include "tests/support/scripted.h"

namespace testsupport {

ScriptedDialogs::ScriptedDialogs() {
    dialogs::install(this);
}
ScriptedDialogs::~ScriptedDialogs() {
    dialogs::install(nullptr);
}

dialogs::Button ScriptedDialogs::message(const dialogs::Message& m) {
    messages << m;
    if (onMessage)
        onMessage(m);
    if (!answers.isEmpty())
        return answers.takeFirst();
    if (m.defaultButton != dialogs::NoButton)
        return m.defaultButton;
    for (dialogs::Button b : {dialogs::Ok, dialogs::Yes, dialogs::No, dialogs::Cancel})
        if (m.buttons & b)
            return b;
    return dialogs::Ok;
}

QString ScriptedDialogs::saveFile(const dialogs::FileRequest& r) {
    fileRequests << r;
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedDialogs::openFile(const dialogs::FileRequest& r) {
    fileRequests << r;
    return files.isEmpty() ? QString() : files.takeFirst();
}

bool ScriptedDialogs::askText(dialogs::TextRequest& r) {
    textRequests << r;
    if (texts.isEmpty())
        return false;
    r.value = texts.takeFirst();
    return true;
}

QStringList ScriptedDialogs::texts_shown() const {
    QStringList out;
    for (const auto& m : messages) out << m.text;
    return out;
}

QStringList ScriptedDialogs::captions() const {
    QStringList out;
    for (const auto& m : messages) out << m.caption;
    return out;
}

void ScriptedDialogs::clear() {
    messages.clear();
    fileRequests.clear();
    textRequests.clear();
}

}  // namespace testsupport
