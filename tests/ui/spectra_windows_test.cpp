// The spectrum tools as the observer uses them: the binning window on the profile line, the
// spectrum window's files and its own UnDo, and the bow correction with its graph.
#include <QRadioButton>
#include <QtTest>

#include "core/text_file.h"
#include "program.h"
#include "support/fits_builder.h"
#include "ui/binning_menu.h"
#include "ui/image_window.h"

using orvane::test::FitsBuilder;
using orvane::test::Program;

class SpectraWindowsTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

  // A frame `width` wide whose row y holds values(y) in every column.
  std::string frame(int width, const std::vector<std::vector<int>>& rows) {
    std::vector<int> values;
    for (const auto& row : rows) values.insert(values.end(), row.begin(), row.end());
    return FitsBuilder::image(16, width, int(rows.size()))
        .end()
        .u16(values)
        .pad()
        .write(dir_->file("s.fit"));
  }
  static QPushButton* button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(name);
  }

 private slots:
  void init() { new_folder(); }
  void cleanup() { end_runs(); }
  void binning_window_moves_the_line_and_bins_its_zones();
  void spectrum_window_saves_and_undoes_its_compensation();
  void bow_correction_asks_first_and_the_graph_opens_on_shift_click();
};

void SpectraWindowsTest::binning_window_moves_the_line_and_bins_its_zones() {
  std::vector<std::vector<int>> rows(25, std::vector<int>(2, 0));
  rows[10] = {1, 1}, rows[11] = {2, 2}, rows[12] = {3, 3};
  Program& p = start(frame(2, rows));
  p.action("utility_menu_binning_make")->trigger();
  auto* window = p.window.findChild<QWidget*>("Form15");
  QTest::mouseClick(p.window.image_window()->picture(), Qt::LeftButton, {}, QPoint(1, 0));
  button(window, "Command3")->click();  // "Up" at row 0 stays there
  QCOMPARE(p.window.findChild<QWidget*>("Form13")->windowTitle(),
           QString("Intensity Curve : y = 0"));
  button(window, "Command1")->click();  // "Set Upper" of zone 1
  QCOMPARE(window->findChild<QLineEdit*>("Text1")->text(), QString("0"));
  window->findChild<QLineEdit*>("Text1")->setText("10");
  window->findChild<QLineEdit*>("Text2")->setText("12");
  button(window, "Command5")->click();
  // 1 + 2 + 3 = 6 in rows 10 to 12; the spare column sums to 0.
  QCOMPARE(p.workspace.frame.pixels.at(1, 11), 6);
  QCOMPARE(p.ui.message_texts().back(), std::string("Completion\rmax = 6 / min = 0"));
  QVERIFY(!window->isVisible());
  QVERIFY(p.window.image_window() == nullptr);
}

void SpectraWindowsTest::spectrum_window_saves_and_undoes_its_compensation() {
  // The middle row 1 holds 10 20 30 40, which the compensation levels to 30 30 30 30.
  Program& p = start(frame(4, {{0, 0, 0, 0}, {10, 20, 30, 40}, {0, 0, 0, 0}}));
  p.action("utility_menu_binning_save")->trigger();
  auto* window = p.window.findChild<QWidget*>("Form12");
  QCOMPARE(window->findChild<QLineEdit*>("Text1")->text(),
           QString::fromStdString(dir_->file("s.txt")));
  window->findChild<QRadioButton*>("Option2")->setChecked(true);
  window->findChild<QLineEdit*>("Text2")->setText("4000");
  window->findChild<QLineEdit*>("Text3")->setText("4003");
  button(window, "Command3")->click();
  QCOMPARE(p.ui.message_texts().back(), "Completion ,save to " + dir_->file("s.txt"));
  QCOMPARE(orvane::test::read_bytes(dir_->file("s.djm")).substr(0, 19),
           std::string("4000.") + std::string(9, ' ') + "-10 \r");
  QCOMPARE(p.workspace.settings.wavelength_end(), 4003.0);
  button(window, "Command5")->click();
  QCOMPARE(p.workspace.frame.pixels.at(0, 1), 30);
  QVERIFY(button(window, "Command6")->isEnabled());
  button(window, "Command6")->click();
  QCOMPARE(p.workspace.frame.pixels.at(0, 1), 10);
  QVERIFY(!button(window, "Command6")->isEnabled());
}

void SpectraWindowsTest::bow_correction_asks_first_and_the_graph_opens_on_shift_click() {
  Program& p = start(frame(3, {{1, 2, 3}}));
  QVERIFY(orvane::core::write_file_atomically(dir_->file("bow.csv"), "0,1\r\n").ok());
  p.ui.answers = {false};
  p.action("utility_menu_bow")->trigger();
  QCOMPARE(p.ui.questions.back().title, std::string("Bow Correction"));
  QCOMPARE(p.workspace.frame.pixels.at(2, 0), 3);
  QVERIFY(!p.workspace.frame.undo_available);
  p.action("utility_menu_bow")->trigger();
  QCOMPARE(p.workspace.frame.pixels.at(2, 0), 2);  // 1 2 3 moved one column right: 1 1 2
  QVERIFY(p.action("utility_menu_undo")->isEnabled());

  QTest::mouseClick(p.window.image_window()->picture(), Qt::LeftButton, Qt::ShiftModifier,
                    QPoint(1, 0));
  auto* graph = p.window.findChild<QWidget*>("Form24");
  QVERIFY(graph != nullptr && graph->isVisible());
}

QTEST_MAIN(SpectraWindowsTest)
#include "spectra_windows_test.moc"
