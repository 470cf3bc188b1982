#pragma once

class QAction;
class QWidget;

namespace calc {

class THspMakina;

/// The one calculator of the run, or nullptr before the first F5.
THspMakina* calculator();
/// Creates the calculator on first use (it is kept for the whole run) and shows it modally.
void showCalculator();
/// Makes the data module's ShowCalculator open the calculator.
void installCalculator();
/// F5 in the window opens the calculator, through the data module's ShowCalculator when the
/// module exists. Returns the hidden action "Hesap Makinası" that carries the shortcut.
QAction* addCalculatorShortcut(QWidget* window);
/// Destroys the calculator (at the end of the run, and between tests).
void destroyCalculator();

}  // namespace calc
