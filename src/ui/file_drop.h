#pragma once

#include <QObject>
#include <functional>
#include <string>

namespace orvane::ui {

// Files dropped on a window or on any box in it: the first file is handed to `open`, and no box
// takes the file's address as text. Installed on the main window and its boxes and on the image
// window, so a frame dropped anywhere on them is opened.
class FileDropFilter : public QObject {
  Q_OBJECT

 public:
  using Open = std::function<void(const std::string& path)>;

  FileDropFilter(Open open, QObject* parent = nullptr);

  // Takes drops on the widget and on every text box inside it.
  void watch(QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Open open_;
};

}  // namespace orvane::ui
