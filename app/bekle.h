#pragma once

#include <QDialog>
#include <QWidget>

class QLabel;

/// The start-up window, the program's main window: a caption bar while the program loads and,
/// behind the card window, the thanks caption. Closing it ends the program.
class TBekle : public QWidget {
    Q_OBJECT
public:
    explicit TBekle(QWidget* parent = nullptr);

    /// Runs once, at the first activation: stands the settings cursor on the row in use and
    /// shows the card window modally; ends the program when that window closes.
    void FormActivate();
    bool activated() const { return activated_; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

private:
    void FormCreate();
    void FormKeyPress(QChar key);

    QString folderName_;
    bool activated_ = false;
};

/// The sponsor window: a picture the data module shows after a card is saved.
class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    /// Loads a picture, sizes the window to it (+8 across, +38 down) and shows it modally.
    void showPicture(const QString& path);
    QLabel* Image1;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

/// The program-wide references to the start-up and sponsor windows.
extern TBekle* Bekle;
extern TForm1* Form1;

/// The application title: the program's name on the task bar and the caption of the standard
/// error message.
QString applicationTitle();
