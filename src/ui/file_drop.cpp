#include "ui/file_drop.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace orvane::ui {
namespace {

bool has_local_file(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return false;
  const QList<QUrl> urls = data->urls();
  return !urls.isEmpty() && urls.first().isLocalFile();
}

}  // namespace

FileDropFilter::FileDropFilter(Open open, QObject* parent)
    : QObject(parent), open_(std::move(open)) {}

void FileDropFilter::watch(QWidget& widget) {
  widget.setAcceptDrops(true);
  widget.installEventFilter(this);
  for (QLineEdit* box : widget.findChildren<QLineEdit*>()) box->installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!has_local_file(drag->mimeData())) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!has_local_file(drop->mimeData())) return false;
      drop->acceptProposedAction();
      // Only the first of several dropped files is opened.
      open_(drop->mimeData()->urls().first().toLocalFile().toStdString());
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace orvane::ui
