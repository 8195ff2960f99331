#include "ui/qt_user_interface.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace orvane::ui {
namespace {

QString to_qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString title_or_default(std::string_view title) {
  return title.empty() ? QStringLiteral("Orvane") : to_qt(title);
}

}  // namespace

QtUserInterface::~QtUserInterface() {
  while (busy_depth_ > 0) busy(false);
  progress_done();
}

void QtUserInterface::message(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, title_or_default(title), to_qt(text), QMessageBox::Ok,
                  parent_);
  box.exec();
}

bool QtUserInterface::ask_ok_cancel(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, title_or_default(title), to_qt(text),
                  QMessageBox::Ok | QMessageBox::Cancel, parent_);
  return box.exec() == QMessageBox::Ok;
}

void QtUserInterface::beep() {
  QApplication::beep();
}

void QtUserInterface::busy(bool on) {
  if (on) {
    ++busy_depth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_depth_ > 0) {
    --busy_depth_;
    QApplication::restoreOverrideCursor();
  }
}

bool QtUserInterface::progress(std::string_view caption, std::string_view label) {
  if (!progress_) {
    progress_ = new QProgressDialog(parent_);
    progress_->setObjectName("Progress");
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->setRange(0, 0);
    progress_->setMinimumDuration(0);
  }
  progress_->setWindowTitle(to_qt(caption));
  progress_->setLabelText(to_qt(label));
  progress_->show();
  QCoreApplication::processEvents();
  return !progress_->wasCanceled();
}

void QtUserInterface::progress_done() {
  if (progress_) progress_->deleteLater();
  progress_ = nullptr;
}

}  // namespace orvane::ui
