#pragma once

#include "dialogs/service.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace testsupport {

/// A dialog service for tests: records every message and file or text request, and answers
/// from queues the test fills (a message without a queued answer gets its default button).
/// Installed on construction, uninstalled on destruction.
class ScriptedDialogs : public dialogs::Service {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QList<dialogs::Message> messages;
    QList<dialogs::FileRequest> fileRequests;
    QList<dialogs::TextRequest> textRequests;

    QList<dialogs::Button> answers;  ///< next answers to messages
    QStringList files;               ///< next answers to file dialogs ("" = cancelled)
    QStringList texts;               ///< next answers to text questions (missing = cancelled)
    /// Called while a message is "shown", before it is answered (to look at the window).
    std::function<void(const dialogs::Message&)> onMessage;

    dialogs::Button message(const dialogs::Message& m) override;
    QString saveFile(const dialogs::FileRequest& r) override;
    QString openFile(const dialogs::FileRequest& r) override;
    bool askText(dialogs::TextRequest& r) override;

    /// The texts of the messages shown, in order.
    QStringList texts_shown() const;
    QStringList captions() const;
    void clear();
};

}  // namespace testsupport
