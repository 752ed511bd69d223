#include "qt/key_filter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <optional>
#include <string_view>

#include "runtime/cp936.h"

namespace torvane::qt {
namespace {

// The character code a key press would type, or nothing for keys that type nothing.
std::optional<int16_t> TypedCode(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace:
      // Ctrl+Backspace types DEL, which no filter lets in.
      return static_cast<int16_t>(event.modifiers() & Qt::ControlModifier ? 127 : 8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    default:
      break;
  }
  if (event.modifiers() & Qt::ControlModifier) {
    int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<int16_t>(key - Qt::Key_A + 1);
    return std::nullopt;
  }
  QString text = event.text();
  if (text.isEmpty() || event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab ||
      event.key() == Qt::Key_Delete) {
    return std::nullopt;
  }
  if (text.at(0).unicode() < 32) return static_cast<int16_t>(text.at(0).unicode());
  return KeyCodeOfUtf8(text.toStdString());
}

class KeyFilter : public QObject {
 public:
  KeyFilter(QLineEdit* edit, Form1& form, TextBox box)
      : QObject(edit), edit_(edit), form_(form), box_(box) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != edit_) return false;
    if (event->type() == QEvent::KeyPress) {
      auto code = TypedCode(*static_cast<QKeyEvent*>(event));
      if (!code) return false;
      int16_t key = *code;
      form_.RaiseKeyPress(box_, key);
      return key == 0;
    }
    if (event->type() == QEvent::InputMethod) {
      auto* input = static_cast<QInputMethodEvent*>(event);
      QString commit = input->commitString();
      if (commit.isEmpty()) return false;
      form_.RaiseCommit(box_, commit.toStdString(), [this](std::string_view typed) {
        edit_->insert(QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())));
      });
      QInputMethodEvent emptied(input->preeditString(), input->attributes());
      QCoreApplication::sendEvent(watched, &emptied);
      return true;
    }
    return false;
  }

 private:
  QLineEdit* edit_;
  Form1& form_;
  TextBox box_;
};

}  // namespace

void InstallKeyFilter(QLineEdit* edit, Form1& form, TextBox box) {
  edit->installEventFilter(new KeyFilter(edit, form, box));
}

}  // namespace torvane::qt
