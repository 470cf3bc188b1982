#include "controls/newdbdateedit.h"

#include "controls/datecompletion.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "dialogs/service.h"

namespace controls {

TNewDBDateEdit::TNewDBDateEdit(QWidget* parent)
    : DBEdit(parent), today_([] { return QDate::currentDate(); }) {}

bool TNewDBDateEdit::exitField() {
    if (!dataSet() || fieldIndex() < 0 || !dataSet()->isEditing())
        return DBEdit::exitField();

    const DateCompletion c = completeDate(text(), today_(), locale());
    if (!c.refused) {
        setTypedText(c.text);
        return DBEdit::exitField();
    }
    if (!c.message.isEmpty())
        dialogs::service().message({c.caption.isEmpty() ? dialogs::applicationTitle() : c.caption,
                                    c.message, dialogs::Icon::Warning, dialogs::Ok, dialogs::Ok});
    if (c.conversionError)
        dialogs::showException(
            data::ConversionError(QStringLiteral("'%1' geçerli bir tarih değil.").arg(text())));
    keepFocus();
    return false;
}

}  // namespace controls
