#pragma once

#include <QString>

class QWidget;

namespace testsupport {

/// Types text into a widget key by key; unlike QTest::keyClicks it takes Turkish letters.
void typeText(QWidget* w, const QString& text);

}  // namespace testsupport
