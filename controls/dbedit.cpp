#include "controls/dbedit.h"

#include "controls/fieldtext.h"
#include "data/datamodule.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "dialogs/service.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace controls {

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, &DBEdit::onTextEdited);
    updateReadOnly();
}

DBEdit::~DBEdit() = default;

void DBEdit::setDataSource(data::DataSource* source, const QString& field) {
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &data::DataSource::dataSetChanged, this,
                [this] { setDataSet(source_->dataSet(), field_); });
        connect(source, &QObject::destroyed, this, [this] { setDataSet(nullptr, field_); });
    }
    setDataSet(source ? source->dataSet() : nullptr, field);
}

void DBEdit::setDataSet(data::DataSet* set, const QString& field) {
    for (const auto& c : links_) disconnect(c);
    links_.clear();
    const bool newSet = set != set_;
    set_ = set;
    field_ = field;
    if (set) {
        links_ << connect(set, &data::DataSet::recordChanged, this, [this] {
            if (!writing_)
                updateControls();
        });
        links_ << connect(set, &data::DataSet::stateChanged, this, [this] {
            bindIndex();
            updateReadOnly();
        });
        links_ << connect(set, &data::DataSet::fieldChanged, this, &DBEdit::onFieldChanged);
        links_ << connect(set, &data::DataSet::viewChanged, this, [this] {
            if (!writing_)
                updateControls();
        });
        links_ << connect(set, &QObject::destroyed, this, [this] {
            index_ = -1;
            updateReadOnly();
        });
        if (newSet) {
            // What was typed goes into the record before it is written, even when the edit
            // still has the focus (a shortcut posts the record).
            QPointer<DBEdit> self(this);
            set->on(data::Event::BeforePost, [self](data::DataSet& s) {
                if (!self || self->set_ != &s || !self->modified_)
                    return;
                if (!self->exitField())
                    throw data::Abort();
            });
        }
    }
    bindIndex();
    updateControls();
}

void DBEdit::bindIndex() {
    index_ = set_ && !field_.isEmpty() ? set_->fieldIndex(field_) : -1;
    const data::FieldDef* def = index_ >= 0 ? set_->fieldDef(index_) : nullptr;
    setMaxLength(def && def->type == data::FieldType::Text && def->size > 0 ? def->size : 32767);
}

void DBEdit::setAutoEdit(bool on) {
    autoEdit_ = on;
    updateReadOnly();
}

void DBEdit::setFieldReadOnly(bool on) {
    fieldReadOnly_ = on;
    updateReadOnly();
}

void DBEdit::updateReadOnly() {
    bool editable = false;
    if (set_ && index_ >= 0 && !fieldReadOnly_ && set_->isOpen())
        editable = set_->isEditing() || (autoEdit_ && set_->canModify());
    setReadOnly(!editable);
}

bool DBEdit::writesWhileTyping() const {
    const data::FieldDef* def = index_ >= 0 && set_ ? set_->fieldDef(index_) : nullptr;
    return !def || def->type == data::FieldType::Text;
}

void DBEdit::updateControls() {
    bindIndex();
    const QVariant v = set_ && index_ >= 0 && set_->isOpen() ? set_->value(index_) : QVariant();
    const QString t = textFor(v);
    if (t != text())
        setText(t);
    modified_ = false;
    updateReadOnly();
}

QString DBEdit::textFor(const QVariant& value) const {
    return fieldText(index_ >= 0 && set_ ? set_->fieldDef(index_) : nullptr, value, locale());
}

QVariant DBEdit::valueFor(const QString& text) const {
    return fieldValue(index_ >= 0 && set_ ? set_->fieldDef(index_) : nullptr, text, locale());
}

void DBEdit::setTypedText(const QString& t) {
    if (t == text())
        return;
    setText(t);
    modified_ = true;
}

void DBEdit::onTextEdited() {
    modified_ = true;
    if (!set_ || index_ < 0 || !set_->isEditing() || !writesWhileTyping())
        return;
    try {
        updateRecord();
    } catch (const std::exception& e) {
        dialogs::showException(e);
    }
}

void DBEdit::onFieldChanged(int field) {
    if (field == index_ && !writing_)
        updateControls();
}

void DBEdit::updateRecord() {
    if (!set_ || index_ < 0 || !set_->isEditing() || !modified_)
        return;
    const QVariant v = valueFor(text());
    writing_ = true;
    try {
        set_->setValue(index_, v);
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    modified_ = false;
}

bool DBEdit::exitField() {
    if (!set_ || index_ < 0 || !set_->isEditing())
        return true;
    try {
        updateRecord();
    } catch (const std::exception& e) {
        dialogs::showException(e);
        keepFocus();
        return false;
    }
    return true;
}

void DBEdit::keepFocus() {
    QTimer::singleShot(0, this, [this] {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    });
}

void DBEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // Switching to another program or opening a pop-up menu does not leave the field.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    if (exiting_)
        return;
    exiting_ = true;
    exitField();
    exiting_ = false;
}

void DBEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && modified_) {
        updateControls();  // back to the stored value
        selectAll();
        return;
    }
    const bool typing = !e->text().isEmpty() && e->text().at(0).isPrint();
    const bool erasing = e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ||
                         e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut);
    if ((typing || erasing) && autoEdit_ && set_ && index_ >= 0 && !fieldReadOnly_ &&
        set_->isOpen() && !set_->isEditing() && set_->canModify()) {
        try {
            set_->edit();
        } catch (const std::exception& ex) {
            dialogs::showException(ex);
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

}  // namespace controls
