#include "qt/result_window.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "qt/qt_services.h"
#include "qt/scene_painter.h"

namespace torvane::qt {

std::optional<std::string> QtSaveDialog::Ask(const SaveQuestion& question) {
  QString proposed =
      QDir(QString::fromStdString(question.folder)).filePath(QString::fromStdString(question.name));
  QString filter =
      QString::fromStdString(question.type_description + " (*." + question.extension + ")");
  QFileDialog dialog(owner_, QString::fromStdString(question.title), proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(question.extension));
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

ChartView::ChartView(const picture::Scene& scene, QWidget* parent)
    : QAbstractScrollArea(parent), scene_(scene) {
  setObjectName(QStringLiteral("Chart"));
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Window);
  Reflow();
}

void ChartView::Reflow() {
  QSize room = viewport()->size();
  grid_ = PanelGrid::For(scene_, room.width());
  horizontalScrollBar()->setRange(
      0, std::max(0, static_cast<int>(std::ceil(grid_.Width())) - room.width()));
  horizontalScrollBar()->setPageStep(room.width());
  verticalScrollBar()->setRange(
      0, std::max(0, static_cast<int>(std::ceil(grid_.Height())) - room.height()));
  verticalScrollBar()->setPageStep(room.height());
  verticalScrollBar()->setSingleStep(static_cast<int>(grid_.cell_height / 4) + 1);
  horizontalScrollBar()->setSingleStep(static_cast<int>(grid_.cell_width / 4) + 1);
}

void ChartView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Reflow();
}

void ChartView::scrollContentsBy(int, int) {
  viewport()->update();
}

void ChartView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  int left = horizontalScrollBar()->value(), top = verticalScrollBar()->value();
  QRect exposed = event->rect().translated(left, top);
  painter.translate(-left, -top);
  auto [first, last] = grid_.Between(exposed.top(), exposed.bottom() + 1);
  for (int i = first; i < last; ++i) {
    picture::Point origin = grid_.Origin(i);
    painter.save();
    painter.translate(origin.x, origin.y);
    PaintPanel(painter, scene_.panels[static_cast<std::size_t>(i)]);
    painter.restore();
  }
}

ResultWindow::ResultWindow(ResultContent content, ResultWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window), content_(std::move(content)), services_(services) {
  setObjectName(QStringLiteral("ResultWindow"));
  setWindowTitle(QString::fromStdString(ResultWindowTitle(content_.summary_path)));
  if (!services_.save_dialog) {
    qt_save_dialog_ = std::make_unique<QtSaveDialog>(this);
    services_.save_dialog = qt_save_dialog_.get();
  }
  if (!services_.message_box) {
    qt_message_box_ = std::make_unique<QtMessageBox>(this);
    services_.message_box = qt_message_box_.get();
  }

  auto* save = new QPushButton(QString::fromUtf8(kSaveSvgCaption), this);
  save->setObjectName(QStringLiteral("SaveSvg"));
  auto* copy = new QPushButton(QString::fromUtf8(kCopyPictureCaption), this);
  copy->setObjectName(QStringLiteral("CopyPicture"));
  view_ = new ChartView(content_.scene, this);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save);
  buttons->addWidget(copy);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(view_, 1);

  connect(save, &QPushButton::clicked, this, [this] {
    SaveSvg(content_, {*services_.save_dialog, *services_.message_box});
  });
  connect(copy, &QPushButton::clicked, this, [this] { CopyPicture(); });

  picture::Point room = PanelGrid::FirstRoom(content_.scene);
  int chrome = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4 * layout->spacing() + 8;
  QSize size(static_cast<int>(room.x) + chrome,
             static_cast<int>(room.y) + chrome + save->sizeHint().height());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableSize() * 9 / 10);
  }
  resize(size.expandedTo(QSize(360, 240)));
}

ResultWindow::~ResultWindow() = default;

void ResultWindow::CopyPicture() {
  QGuiApplication::clipboard()->setImage(
      SceneImage(content_.scene, view_->grid(), devicePixelRatioF()));
}

void QtResultWindows::Open(ResultContent content) {
  auto* window = new ResultWindow(std::move(content), {}, parent_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace torvane::qt
