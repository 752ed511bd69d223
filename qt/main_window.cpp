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
#include <algorithm>
#include <limits>
#include <map>
#include <vector>

#include "app/design.h"
#include "qt/key_filter.h"
#include "qt/qt_services.h"

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
          TextBox box = static_cast<TextBox>(name[4] - '1');
          impl_->boxes[box] = edit;
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

void MainWindow::SetTabOrder() {
  std::vector<const ControlDesign*> stops;
  for (const ControlDesign& control : kDesign) {
    if (TakesFocus(control.kind)) stops.push_back(&control);
  }
  std::ranges::sort(stops, {}, &ControlDesign::tab_index);
  for (std::size_t i = 1; i < stops.size(); ++i) {
    QWidget::setTabOrder(impl_->widgets.at(stops[i - 1]->name), impl_->widgets.at(stops[i]->name));
  }
  impl_->widgets.at(stops.front()->name)->setFocus();
}

void MainWindow::Load() {
  form_->Raise(Form1Event::Load);
}

}  // namespace torvane::qt
