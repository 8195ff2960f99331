#include "ui/qt_user_interface.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/frame_choice_window.h"

namespace orvane::ui {
namespace {

// A carriage return alone breaks the line too, as the program's messages use it.
QString to_qt(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QString title_or_default(std::string_view title) {
  return title.empty() ? QStringLiteral("Orvane") : to_qt(title);
}

}  // namespace

QtUserInterface::~QtUserInterface() {
  while (busy_depth_ > 0) busy(false);
  progress_done();
}

// The window that asks, when it is on the screen; otherwise the main window.
QWidget* QtUserInterface::owner() const {
  auto* asking = static_cast<QWidget*>(const_cast<void*>(this->asking()));
  return asking != nullptr && asking->isVisible() ? asking : parent_.data();
}

void QtUserInterface::message(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, title_or_default(title), to_qt(text), QMessageBox::Ok,
                  owner());
  box.exec();
}

bool QtUserInterface::ask_ok_cancel(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, title_or_default(title), to_qt(text),
                  QMessageBox::Ok | QMessageBox::Cancel, owner());
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

void QtUserInterface::open_progress_window() {
  auto* window = new QDialog(parent_);
  window->setObjectName("Form8");
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  window->setWindowModality(Qt::ApplicationModal);
  auto* label = new QLabel(window);
  label->setObjectName("Label1");
  label->setMinimumWidth(320);
  auto* cancel = new QPushButton("Cancel", window);
  cancel->setObjectName("Command1");
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(label);
  layout->addWidget(cancel, 0, Qt::AlignRight);
  // Cancel, Escape and closing the window all ask the run to stop after the current file.
  QObject::connect(cancel, &QPushButton::clicked, window, &QDialog::reject);
  QObject::connect(window, &QDialog::rejected, window, [this] { progress_cancelled_ = true; });
  progress_ = window;
  progress_label_ = label;
  progress_cancelled_ = false;

  // Centred once shown, when the size of the window frame is known.
  window->show();
  QScreen* screen = parent_ ? parent_->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
  }
}

bool QtUserInterface::progress(std::string_view caption, std::string_view label,
                               core::ProgressCount /*count*/) {
  if (!progress_) open_progress_window();
  progress_->setWindowTitle(to_qt(caption));
  progress_label_->setText(to_qt(label));
  // A loop over rows calls this thousands of times: the window is repainted, and Cancel looked
  // at, a few times a second.
  if (!progress_clock_.isValid() || progress_clock_.elapsed() >= kRedrawMs) {
    progress_clock_.start();
    QCoreApplication::processEvents();
  }
  return !progress_cancelled_;
}

core::FrameChoice QtUserInterface::choose_frame(std::string_view caption) {
  FrameChoiceWindow window(to_qt(caption), settings_, parent_);
  return window.ask();
}

void QtUserInterface::progress_done() {
  if (progress_) {
    progress_->hide();
    progress_->deleteLater();
  }
  progress_ = nullptr;
  progress_label_ = nullptr;
  progress_clock_.invalidate();
}

}  // namespace orvane::ui
