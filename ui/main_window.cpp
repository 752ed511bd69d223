#include "ui/main_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <map>

#include "ui/key_filter.h"
#include "ui/layout.h"
#include "ui/qt_services.h"

namespace torvane::ui {
namespace {

QFont FontFor(FontRole role, const QFont& window_font) {
  switch (role) {
    case FontRole::Frame: {
      QFont font(QStringLiteral("微软雅黑"));
      font.setPointSizeF(10.5);
      return font;
    }
    case FontRole::Entry: {
      QFont font(QStringLiteral("宋体"));
      font.setPointSizeF(12);
      return font;
    }
    case FontRole::Window:
      break;
  }
  return window_font;
}

QRect PixelRect(const ControlSpec& spec) {
  return {spec.left / kTwipsPerPixel, spec.top / kTwipsPerPixel, spec.width / kTwipsPerPixel,
          spec.height / kTwipsPerPixel};
}

}  // namespace

struct MainWindow::Impl : public Controls {
  std::map<std::string, QWidget*> widgets;
  QPlainTextEdit* text1 = nullptr;
  std::map<TextBox, QLineEdit*> boxes;
  QRadioButton* option1 = nullptr;
  QLabel* label8 = nullptr;

  std::unique_ptr<QtMessageBox> qt_message_box;
  std::unique_ptr<QtFolderBrowser> qt_folder_browser;
  QtProgramLocation qt_location;
  FileSystemLister file_system;
  Form1* form = nullptr;

  std::string Text(TextBox box) const override {
    if (box == TextBox::Text1) return text1->toPlainText().toStdString();
    return boxes.at(box)->text().toStdString();
  }
  void SetText(TextBox box, const std::string& text) override {
    QString value = QString::fromStdString(text);
    if (box == TextBox::Text1) {
      text1->setPlainText(value);
      return;
    }
    QSignalBlocker quiet(boxes.at(box));
    boxes.at(box)->setText(value);
  }
  void SetLabel8Caption(const std::string& caption) override {
    label8->setText(QString::fromStdString(caption));
  }
  bool Option1Selected() const override { return option1->isChecked(); }
};

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QWidget(parent), impl_(std::make_unique<Impl>()) {
  setWindowTitle(QStringLiteral("Torvane"));
  setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);

  for (const ControlSpec& spec : kLayout) {
    QWidget* parent_widget = spec.parent ? impl_->widgets.at(spec.parent) : this;
    QString text = QString::fromUtf8(spec.text);
    QWidget* widget = nullptr;
    switch (spec.kind) {
      case Kind::Frame:
        widget = new QGroupBox(text, parent_widget);
        break;
      case Kind::Label: {
        auto* label = new QLabel(text, parent_widget);
        if (std::string_view(spec.name) == "Label8") impl_->label8 = label;
        widget = label;
        break;
      }
      case Kind::TextBox:
        if (std::string_view(spec.name) == "Text1") {
          impl_->text1 = new QPlainTextEdit(parent_widget);
          impl_->text1->setReadOnly(true);
          impl_->text1->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                Qt::TextSelectableByKeyboard);
          impl_->text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
          impl_->text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
          impl_->text1->setTabChangesFocus(true);
          widget = impl_->text1;
        } else {
          auto* edit = new QLineEdit(text, parent_widget);
          TextBox box = static_cast<TextBox>(spec.name[4] - '1');
          impl_->boxes[box] = edit;
          widget = edit;
        }
        break;
      case Kind::Option: {
        auto* option = new QRadioButton(text, parent_widget);
        if (std::string_view(spec.name) == "Option1") {
          option->setChecked(true);
          impl_->option1 = option;
        }
        widget = option;
        break;
      }
      case Kind::Button: {
        auto* button = new QPushButton(text, parent_widget);
        button->setAutoDefault(false);
        button->setDefault(false);
        widget = button;
        break;
      }
    }
    widget->setObjectName(QString::fromUtf8(spec.name));
    widget->setGeometry(PixelRect(spec));
    widget->setFont(FontFor(spec.font, font()));
    impl_->widgets[spec.name] = widget;
  }

  impl_->qt_message_box = std::make_unique<QtMessageBox>(this);
  impl_->qt_folder_browser = std::make_unique<QtFolderBrowser>(this);
  Form1Services form_services{
      *impl_,
      services.message_box ? *services.message_box : *impl_->qt_message_box,
      services.folder_browser ? *services.folder_browser : *impl_->qt_folder_browser,
      services.location ? *services.location : impl_->qt_location,
      services.lister ? *services.lister : impl_->file_system,
  };
  form_ = std::make_unique<Form1>(form_services);
  impl_->form = form_.get();
  for (TextBox box : {TextBox::Text2, TextBox::Text3, TextBox::Text4}) {
    InstallKeyFilter(impl_->boxes.at(box), *form_, box);
  }

  auto* command1 = static_cast<QPushButton*>(impl_->widgets.at("Command1"));
  auto* command2 = static_cast<QPushButton*>(impl_->widgets.at("Command2"));
  connect(command1, &QPushButton::clicked, this,
          [this] { form_->Raise(Form1Event::Command1Click); });
  connect(command2, &QPushButton::clicked, this,
          [this] { form_->Raise(Form1Event::Command2Click); });
  connect(impl_->boxes.at(TextBox::Text3), &QLineEdit::textChanged, this,
          [this] { form_->Raise(Form1Event::Text3Change); });
  connect(impl_->boxes.at(TextBox::Text4), &QLineEdit::textChanged, this,
          [this] { form_->Raise(Form1Event::Text4Change); });
}

MainWindow::~MainWindow() = default;

void MainWindow::Load() {
  form_->Raise(Form1Event::Load);
}

}  // namespace torvane::ui
