#include "qt/main_window.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <limits>
#include <map>

#include "qt/key_filter.h"
#include "qt/qt_services.h"
#include "qt/result_window.h"

namespace torvane::qt {
namespace {

// Qt has no character-set field. The nearest to asking for GB2312 is to name, after the
// designed face, an installed family that covers Simplified Chinese: where the face is missing
// (say on a desktop without Windows fonts) the Chinese text then comes from a Chinese font
// rather than from whatever fallback the platform finds first.
QStringList Families(const QString& face) {
  static const QString chinese = [] {
    const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const char* preferred : {"Microsoft YaHei", "SimSun", "Noto Sans CJK SC",
                                  "Source Han Sans SC", "WenQuanYi Micro Hei"}) {
      if (installed.contains(QString::fromUtf8(preferred))) return QString::fromUtf8(preferred);
    }
    return installed.value(0);
  }();
  QStringList families{face};
  if (!chinese.isEmpty() && chinese != face) families << chinese;
  return families;
}

// A font with every property set, so that a control keeps it instead of inheriting its frame's.
QFont DesignFont(const char* face, double points, QFont::StyleHint hint) {
  QFont font;
  font.setFamilies(Families(QString::fromUtf8(face)));
  font.setStyleHint(hint);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

QFont FontFor(FontRole role) {
  const FontDesign& design = FontOf(role);
  return DesignFont(design.face, design.points,
                    role == FontRole::Frame ? QFont::SansSerif : QFont::Serif);
}

QRect PixelRect(const ControlDesign& control) {
  return {TwipsToPixels(control.left), TwipsToPixels(control.top), TwipsToPixels(control.width),
          TwipsToPixels(control.height)};
}

// Frames in the classic look: the caption set into the top border, the border through the
// middle of the caption, and the controls placed from the frame's outer corner.
QString FrameStyle() {
  int caption_height = QFontMetrics(FontFor(FontRole::Frame)).height();
  return QStringLiteral(
             "QGroupBox { border: 1px solid palette(mid); border-radius: 0; margin-top: %1px; }"
             "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
             " left: 6px; padding: 0 2px; }")
      .arg(caption_height / 2);
}

// The locked, multi-line path box.
void MakeText1(QPlainTextEdit* text1, bool locked) {
  text1->setReadOnly(locked);
  text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text1->setFocusPolicy(Qt::StrongFocus);
  text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  text1->setTabChangesFocus(true);
  text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text1->document()->setDocumentMargin(1);
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
  std::unique_ptr<QtResultWindows> qt_result_windows;
  QtProgramLocation qt_location;
  FileSystemLister file_system;

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
  setWindowTitle(QString::fromUtf8(kFormCaption));
  setWindowIcon(QIcon(QStringLiteral(":/torvane.ico")));
  // A fixed single frame: closable and minimisable, never resized.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
  setFont(FontFor(FontRole::Window));
  setStyleSheet(FrameStyle());

  impl_->qt_message_box = std::make_unique<QtMessageBox>(this);
  impl_->qt_folder_browser = std::make_unique<QtFolderBrowser>(this);
  impl_->qt_result_windows = std::make_unique<QtResultWindows>(this);
  form_ = std::make_unique<Form1>(
      ServicesFor(*impl_, services,
                  {impl_->qt_message_box.get(), impl_->qt_folder_browser.get(), &impl_->qt_location,
                   &impl_->file_system, impl_->qt_result_windows.get()}));

  for (const ControlDesign& control : kDesign) {
    QWidget* parent_widget = control.parent ? impl_->widgets.at(control.parent) : this;
    QString text = QString::fromUtf8(control.text);
    std::string_view name = control.name;
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::Frame:
        widget = new QGroupBox(text, parent_widget);
        break;
      case ControlKind::Label: {
        auto* label = new QLabel(text, parent_widget);
        label->setTextFormat(Qt::PlainText);
        if (name == "Label8") impl_->label8 = label;
        widget = label;
        break;
      }
      case ControlKind::TextBox:
        if (control.multi_line) {
          impl_->text1 = new QPlainTextEdit(parent_widget);
          MakeText1(impl_->text1, control.locked);
          widget = impl_->text1;
        } else {
          auto* edit = new QLineEdit(text, parent_widget);
          edit->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
          TextBox box = *TextBoxNamed(name);
          impl_->boxes[box] = edit;
          if (Form1::HasKeyPress(box)) InstallKeyFilter(edit, *form_, box);
          if (std::optional<Form1Event> change = ChangeEventOf(name)) {
            connect(edit, &QLineEdit::textChanged, this,
                    [this, event = *change] { form_->Raise(event); });
          }
          widget = edit;
        }
        break;
      case ControlKind::Option: {
        auto* option = new QRadioButton(text, parent_widget);
        option->setChecked(control.selected);
        if (name == "Option1") impl_->option1 = option;
        widget = option;
        break;
      }
      case ControlKind::Button: {
        auto* button = new QPushButton(text, parent_widget);
        button->setAutoDefault(false);
        button->setDefault(false);
        if (std::optional<Form1Event> click = ClickEventOf(name)) {
          connect(button, &QPushButton::clicked, this,
                  [this, event = *click] { form_->Raise(event); });
        }
        widget = button;
        break;
      }
    }
    widget->setObjectName(QString::fromUtf8(control.name));
    widget->setGeometry(PixelRect(control));
    widget->setFont(FontFor(control.font));
    impl_->widgets[control.name] = widget;
  }
  SetTabOrder();
}

MainWindow::~MainWindow() {
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void MainWindow::SetTabOrder() {
  QWidget* previous = nullptr;
  for (std::size_t index : kTabOrder) {
    if (!TakesFocus(kDesign[index].kind)) continue;
    QWidget* widget = impl_->widgets.at(kDesign[index].name);
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  impl_->widgets.at(kDesign[kFirstFocus].name)->setFocus();
}

void MainWindow::Load() {
  form_->Raise(Form1Event::Load);
}

}  // namespace torvane::qt
