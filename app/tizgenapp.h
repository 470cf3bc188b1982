#pragma once

#include <QApplication>

/// The application object: shows an exception that reaches the event loop as the program does
/// (the dialog service), instead of ending the program.
class TizgenApplication : public QApplication {
    Q_OBJECT
public:
    TizgenApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* e) override;
};

/// The start-up sequence: title, start-up window, sponsor window, data module, message loop.
/// The data folder is the working directory. Returns the exit code.
int runTizgen(TizgenApplication& app);
