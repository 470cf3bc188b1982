#pragma once

#include "controls/dbedit.h"

#include <QDate>
#include <functional>

namespace controls {

/// The date field: a data-bound edit that completes a loosely typed date ("1503", "+7", empty
/// for today) when it is left while its record is edited, and refuses impossible dates with a
/// message, keeping the focus with the text selected and the record unchanged.
class TNewDBDateEdit : public DBEdit {
    Q_OBJECT
public:
    explicit TNewDBDateEdit(QWidget* parent = nullptr);

    /// The clock the completion reads today from (the system date unless set).
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    bool exitField() override;

private:
    std::function<QDate()> today_;
};

}  // namespace controls
