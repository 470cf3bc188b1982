#pragma once

#include <QDialog>

/// The contact-card window. The owner sets Tag (10 × mode + start action) before showing it;
/// each mode has its own caption and filter of the contact cursor.
class TFirmaTan : public QDialog {
    Q_OBJECT
public:
    explicit TFirmaTan(QWidget* parent = nullptr);

    int Tag = 0;

    /// The caption of a mode (0 address book, 1 customers, 2 firms, 3 staff, 4 income); empty
    /// for the modes that leave the caption unchanged.
    static QString modeCaption(int mode);
    /// The contact cursor's filter of a mode; empty for the modes that leave it unchanged.
    static QString modeFilter(int mode);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();
};

/// The program-wide reference to the card window (null until it is created).
extern TFirmaTan* FirmaTan;
