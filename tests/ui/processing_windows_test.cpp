// The Utility menu's commands that rewrite the frame, as the observer runs them: a noise filter
// through the frame step and "UnDo", the Calculation window with the read-time switch, and the
// profile line with its intensity curve and fit.
#include <QCheckBox>
#include <QtTest>

#include "program.h"
#include "support/fits_builder.h"
#include "ui/binning_menu.h"
#include "ui/control_panel.h"
#include "ui/image_window.h"
#include "ui/intensity_curve_window.h"

using orvane::test::FitsBuilder;
using orvane::test::Program;

class ProcessingWindowsTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

  std::vector<int> row(Program& p, int y, int width) {
    std::vector<int> values;
    for (int x = 0; x < width; ++x) values.push_back(p.workspace.frame.pixels.at(x, y));
    return values;
  }

 private slots:
  void init() { new_folder(); }
  void cleanup() { end_runs(); }
  void filter_runs_as_a_frame_step_and_undo_brings_the_frame_back();
  void calculation_window_adds_and_keeps_the_read_time_switch();
  void profile_line_drives_the_curve_and_the_fit();
};

void ProcessingWindowsTest::filter_runs_as_a_frame_step_and_undo_brings_the_frame_back() {
  // "3 point average" on 0 0 3 0 0: (0 + 0 + 3) / 3 = 1 at x = 1, 2 and 3, the ends kept.
  const std::string path =
      FitsBuilder::image(16, 5, 1).end().u16({0, 0, 3, 0, 0}).pad().write(dir_->file("r.fit"));
  Program& p = start(path);
  p.ui.answers = {false};
  p.action("utility_menu_noize_3point")->trigger();
  QCOMPARE(row(p, 0, 5), (std::vector<int>{0, 0, 3, 0, 0}));  // Cancel: nothing taken
  QVERIFY(!p.action("utility_menu_undo")->isEnabled());
  p.action("utility_menu_noize_3point")->trigger();
  QCOMPARE(p.ui.questions.back().text, std::string("3 point average, Start"));
  QCOMPARE(row(p, 0, 5), (std::vector<int>{0, 1, 1, 1, 0}));
  QCOMPARE(p.ui.message_texts().back(), std::string("completion"));
  p.action("utility_menu_undo")->trigger();
  QCOMPARE(row(p, 0, 5), (std::vector<int>{0, 0, 3, 0, 0}));
}

void ProcessingWindowsTest::calculation_window_adds_and_keeps_the_read_time_switch() {
  const std::string path =
      FitsBuilder::image(16, 2, 1).end().u16({5, 7}).pad().write(dir_->file("c.fit"));
  Program& p = start(path);
  p.action("utility_menu_calculation")->trigger();
  auto* window = p.window.findChild<QWidget*>("Form16");
  window->findChild<QCheckBox*>("Check1")->setChecked(true);
  window->findChild<QPushButton*>("Command1")->click();  // Addition of "100.0"
  QCOMPARE(row(p, 0, 2), (std::vector<int>{105, 107}));
  QCOMPARE(p.workspace.frame.read_calc_mode, 0);
  QCOMPARE(p.workspace.frame.read_calc_operand, 100.0);
  QVERIFY(!window->isVisible());
  auto* calculation = p.window.findChild<QLabel*>("read_calculation");
  QVERIFY(!calculation->isHidden());
  QVERIFY(calculation->text().contains("100"));
}

void ProcessingWindowsTest::profile_line_drives_the_curve_and_the_fit() {
  // A 40 x 20 frame whose rows rise with x: 100 + 20 x.
  std::vector<int> values;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) values.push_back(100 + 20 * x);
  Program& p =
      start(FitsBuilder::image(16, 40, 20).end().u16(values).pad().write(dir_->file("p.fit")));
  p.action("utility_menu_binning_make")->trigger();
  auto* curve = p.window.findChild<orvane::ui::IntensityCurveWindow*>("Form13");
  QCOMPARE(curve->windowTitle(), QString("Intensity Curve : y = 10"));
  // A click on row 4 of the picture moves the line; the curve and the fitting window follow.
  orvane::ui::PictureBox* picture = p.window.image_window()->picture();
  QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(5, 4));
  QCOMPARE(curve->windowTitle(), QString("Intensity Curve : y = 4"));
  QCOMPARE(p.window.findChild<QWidget*>("Form20")->findChild<QLabel*>("Label1")->text(),
           QString("y = 4"));
  p.window.findChild<QWidget*>("Form20")->findChild<QPushButton*>("Command1")->click();
  const auto& chart = curve->picture()->picture().pixels;
  QVERIFY(std::count(chart.begin(), chart.end(), orvane::display::rgb(255, 255, 0)) > 0);
}

QTEST_MAIN(ProcessingWindowsTest)
#include "processing_windows_test.moc"
