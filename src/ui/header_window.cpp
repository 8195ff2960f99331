#include "ui/header_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <string>

#include "ui/window_position.h"

namespace orvane::ui {

namespace {
constexpr int kDefaultColumns = 80;  // one header card
constexpr int kDefaultLines = 25;
}  // namespace

HeaderWindow::HeaderWindow(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace) {
  setObjectName("Form3");
  const core::ImageFrame& frame = workspace_.frame;
  setWindowTitle(QString::fromStdString(frame.file_path));
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm3);

  text_ = new QPlainTextEdit(this);
  text_->setObjectName("Text1");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  std::string cards;
  const int count = std::clamp(frame.header_card_count, 0, core::ImageFrame::kHeaderSlots);
  for (int i = 1; i <= count; ++i) cards += frame.header_cards[i] + "\r\n";
  // Header bytes are ASCII; Latin-1 keeps any stray byte visible instead of dropping it.
  text_->setPlainText(QString::fromLatin1(cards.data(), qsizetype(cards.size())));

  const QFontMetrics metrics(text_->font());
  const int margins = 2 * text_->frameWidth() + 2 * int(text_->document()->documentMargin());
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, text_);
  // Advances may be fractional: measure a whole card's width.
  const int card_width = metrics.horizontalAdvance(QString(kDefaultColumns, QLatin1Char('0')));
  resize(card_width + margins + bar + text_->cursorWidth(),
         kDefaultLines * metrics.lineSpacing() + margins);
  text_->setGeometry(rect());
}

// The text fills the client area; a minimised or maximised window leaves it as it was.
void HeaderWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) return;
  text_->setGeometry(rect());
}

void HeaderWindow::closeEvent(QCloseEvent* event) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm3);
  event->accept();
}

}  // namespace orvane::ui
