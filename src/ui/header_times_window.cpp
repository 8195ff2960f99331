#include "ui/header_times_window.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "photometry/header_time.h"
#include "photometry/header_times.h"

namespace orvane::ui {

HeaderTimesWindow::HeaderTimesWindow(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace) {
  setObjectName("header_times_window");
  table_ = new QTableWidget(0, 2, this);
  table_->setObjectName("header_times_table");
  table_->setHorizontalHeaderLabels({"", "value (card)"});
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_);
  refresh();
  resize(560, 380);
}

void HeaderTimesWindow::refresh() {
  const core::ImageFrame& frame = workspace_.frame;
  setWindowTitle("Header times " + QString::fromStdString(frame.file_path));
  const auto rows = photometry::header_time_rows(photometry::header_cards(frame));
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const auto& row = rows[static_cast<std::size_t>(i)];
    table_->setItem(i, 0, new QTableWidgetItem(QString::fromStdString(row.label)));
    // Header bytes are ASCII; Latin-1 keeps any stray byte visible.
    table_->setItem(i, 1,
                    new QTableWidgetItem(QString::fromLatin1(
                        row.value.data(), static_cast<qsizetype>(row.value.size()))));
  }
  table_->resizeColumnToContents(0);
}

}  // namespace orvane::ui
