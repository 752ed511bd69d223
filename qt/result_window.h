#pragma once

#include <QAbstractScrollArea>
#include <QWidget>
#include <memory>

#include "app/result_view.h"

namespace torvane::qt {

/// Qt's save dialog, modal to its owner window.
class QtSaveDialog : public SaveDialog {
 public:
  explicit QtSaveDialog(QWidget* owner) : owner_(owner) {}
  std::optional<std::string> Ask(const SaveQuestion& question) override;

 private:
  QWidget* owner_;
};

/// The panels of a scene in a grid that reflows with the view's width, scrolled both ways.
/// Only the panels in sight are drawn.
class ChartView : public QAbstractScrollArea {
 public:
  explicit ChartView(const picture::Scene& scene, QWidget* parent = nullptr);

  /// The grid as the view lays it out now.
  const PanelGrid& grid() const { return grid_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void Reflow();

  const picture::Scene& scene_;
  PanelGrid grid_;
};

/// The services the result window uses; each one left null is the Qt one.
struct ResultWindowServices {
  SaveDialog* save_dialog = nullptr;
  MessageBox* message_box = nullptr;
};

/// A run's pictures in a window of their own: resizable, not modal, with "另存为 SVG…" and
/// "复制图片". Its object name is "ResultWindow"; its buttons' are "SaveSvg" and "CopyPicture".
class ResultWindow : public QWidget {
 public:
  ResultWindow(ResultContent content, ResultWindowServices services = {},
               QWidget* parent = nullptr);
  ~ResultWindow() override;

  const ResultContent& content() const { return content_; }
  ChartView& view() { return *view_; }

  /// Puts the whole picture, as laid out now, on the clipboard as an image.
  void CopyPicture();

 private:
  ResultContent content_;
  ChartView* view_ = nullptr;
  std::unique_ptr<QtSaveDialog> qt_save_dialog_;
  std::unique_ptr<MessageBox> qt_message_box_;
  ResultWindowServices services_;
};

/// Opens each result window as a window of its own over `parent`, deleted when closed.
class QtResultWindows : public ResultWindows {
 public:
  explicit QtResultWindows(QWidget* parent) : parent_(parent) {}
  void Open(ResultContent content) override;

 private:
  QWidget* parent_;
};

}  // namespace torvane::qt
