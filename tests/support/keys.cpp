#include "tests/support/keys.h"

#include <QTest>

namespace testsupport {

void typeText(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        if (ch.unicode() < 128 && ch.isPrint())
            QTest::keyClick(w, ch.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

}  // namespace testsupport
