#pragma once

#include <QLineEdit>

#include "app/form1.h"

namespace torvane::qt {

/// Hands every character that would reach `edit` (typed keys, the control codes of Ctrl+letter,
/// Enter, Escape, backspace, and input-method commits) to the KeyPress handler of `box` first,
/// and swallows it when the handler sets its code to 0. Keys that type nothing pass unfiltered.
void InstallKeyFilter(QLineEdit* edit, Form1& form, TextBox box);

}  // namespace torvane::qt
