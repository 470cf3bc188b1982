#pragma once

#include "data/datamodule.h"
#include "data/dataset.h"

#include <QLineEdit>
#include <QPointer>
#include <QVariant>

namespace controls {

/// A one-line edit bound to a field of a data set: it shows the field of the current record,
/// follows moves and state changes of the data set, and writes what is typed into the field
/// while the record is edited or inserted. Text fields are written as they are typed; fields
/// that need converting (dates, numbers) when the edit is left and before the record is posted.
/// While the data set is browsing the edit is read-only, unless autoEdit is on (then typing
/// puts the record into edit first).
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);
    ~DBEdit() override;

    /// Binds the edit to a field (by name, any letter case) of a data set, or unbinds it.
    void setDataSet(data::DataSet* set, const QString& field);
    /// Binds the edit through a data source and follows the source's data set.
    void setDataSource(data::DataSource* source, const QString& field);
    data::DataSet* dataSet() const { return set_; }
    QString dataField() const { return field_; }
    /// Index of the bound field in the data set, or -1.
    int fieldIndex() const { return index_; }

    void setAutoEdit(bool on);
    bool autoEdit() const { return autoEdit_; }
    /// A field that is only shown, never edited.
    void setFieldReadOnly(bool on);
    bool fieldReadOnly() const { return fieldReadOnly_; }

    /// True when the text was typed since the field was last read.
    bool isTextModified() const { return modified_; }
    /// Reads the field into the text; what was typed is dropped.
    void updateControls();
    /// Writes the typed text into the field of the record being edited (nothing when nothing
    /// was typed or the record is not edited). Throws data::Error (a ConversionError for a text
    /// that is not a value of the field).
    void updateRecord();

    /// The processing of leaving the field: writes the text into the record; on an error the
    /// error is shown and the edit keeps the focus with its text selected. True when done.
    virtual bool exitField();

protected:
    /// The text that shows a value of the field.
    virtual QString textFor(const QVariant& value) const;
    /// The value a text stands for; throws data::ConversionError.
    virtual QVariant valueFor(const QString& text) const;
    /// Sets the text as if typed (marks it modified when it changes).
    void setTypedText(const QString& text);
    /// Takes the focus back, with the text selected (after a refused exit).
    void keepFocus();

    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void bindIndex();
    void updateReadOnly();
    bool writesWhileTyping() const;
    void onTextEdited();
    void onFieldChanged(int field);

    QPointer<data::DataSet> set_;
    QPointer<data::DataSource> source_;
    QString field_;
    int index_ = -1;
    bool autoEdit_ = false;
    bool fieldReadOnly_ = false;
    bool modified_ = false;
    bool writing_ = false;
    bool exiting_ = false;
    QList<QMetaObject::Connection> links_;
};

}  // namespace controls
