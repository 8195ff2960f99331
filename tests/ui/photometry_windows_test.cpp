// The photometry windows as an observer uses them: marking stars by right clicks, the sky area,
// the comparison star's details, the "Photometry" run with its clipboard line, and the marks.
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "display/render.h"
#include "program.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"
#include "ui/image_window.h"

using orvane::test::FitsBuilder;
using orvane::test::Program;
using orvane::test::TempDir;
using orvane::ui::PictureBox;

namespace {

constexpr int kSide = 40;

// A 40 x 40 frame of background 100 with three single bright pixels: the comparison at (10, 10)
// 1000 above the sky, the variable at (28, 10) 100 above it, the check star at (10, 28) 10000
// above it. With a circle of radius 3 and a ring of 10 to 20 the ring's median is 100 (the
// other stars add at most one pixel each to a ring of several hundred), so each star's signal
// is exactly its excess:
//   comparison 20 - 2.511886432 x 3 = 12.464 -> 12.46
//   variable   20 - 2.511886432 x 2 = 14.976 -> 14.98
//   check      20 - 2.511886432 x 4 =  9.952 ->  9.95
std::string star_field(const TempDir& dir, int comparison_excess = 1000) {
  std::vector<int> values(kSide * kSide, 100);
  values[10 * kSide + 10] += comparison_excess;
  values[10 * kSide + 28] += 100;
  values[28 * kSide + 10] += 10000;
  return FitsBuilder::image(16, kSide, kSide)
      .add_raw("DATE-OBS= '15/01/03'")
      .add_raw("UT      = '21:04:10'")
      .add("EXPTIME", "30")
      .end()
      .u16(values)
      .pad()
      .write(dir.file("field.fit"));
}

void set_star_boxes(Program& p) {
  const std::pair<int, const char*> boxes[] = {{3, "10"}, {4, "10"},  {7, "28"},
                                               {8, "10"}, {19, "10"}, {20, "28"}};
  for (const auto& [box, text] : boxes) p.box(box)->setText(text);
}

QString clipboard_text() {
  return QGuiApplication::clipboard()->text();
}

template <typename T = QDialog>
T* window_named(Program& p, const char* name) {
  return p.window.findChild<T*>(name);
}

void click_in(QWidget* window, const char* button) {
  window->findChild<QPushButton*>(button)->click();
}

}  // namespace

class PhotometryWindowsTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

 private slots:
  void init() { new_folder(); }
  void cleanup() { end_runs(); }
  void run_fills_the_boxes_and_the_clipboard();
  void no_star_is_told_once_and_the_clipboard_kept();
  void right_click_marks_stars_and_skies();
  void sky_area_window_checks_before_it_stores();
  void cross_draws_and_erases_the_marks();
};

// With band V the clipboard takes the report line: estimate 11 - 12.46 + 14.98 = 13.52, the
// middle of 30 s from 21:04:10 is 21:04:25.
void PhotometryWindowsTest::run_fills_the_boxes_and_the_clipboard() {
  Program& p = start(star_field(*dir_));
  p.action("photometry_menu_position_fix")->trigger();
  set_star_boxes(p);

  p.action("photometry_menu_comp_star")->trigger();
  auto* details = window_named(p, "Form23");
  QVERIFY(details->isVisible());
  details->findChild<QLineEdit*>("Text1")->setText("RCas");
  details->findChild<QLineEdit*>("Text2")->setText("11");
  details->findChild<QLineEdit*>("Text3")->setText("ABC");
  details->findChild<QRadioButton*>("Option2")->setChecked(true);
  click_in(details, "Command1");
  QVERIFY(!details->isVisible());

  p.click("Command6");
  QCOMPARE(p.text(15), QString(" 12.46"));
  QCOMPARE(p.text(16), QString(" 14.98"));
  QCOMPARE(p.text(23), QString(" 9.95"));
  QCOMPARE(clipboard_text(), QString("RCas 20030115210425 K= 9.95 C= 12.46 V= 14.98  13.52V ABC"));
  QVERIFY(p.ui.messages.empty());
}

void PhotometryWindowsTest::no_star_is_told_once_and_the_clipboard_kept() {
  // The comparison star is missing (no excess) and the variable's box is typed over too: two
  // stars without signal give one message.
  Program& p = start(star_field(*dir_, 0));
  p.action("photometry_menu_position_fix")->trigger();
  set_star_boxes(p);
  p.box(7)->setText("30");
  p.box(8)->setText("30");
  p.box(15)->setText(" 7.5");
  QGuiApplication::clipboard()->setText("kept");
  p.click("Command6");
  QCOMPARE(p.ui.messages.size(), std::size_t{1});
  QCOMPARE(p.ui.messages[0].text, std::string("No Star"));
  QCOMPARE(p.ui.messages[0].title, std::string("Photometry"));
  QCOMPARE(p.text(15), QString(" 7.5"));
  QCOMPARE(p.text(23), QString(" 9.95"));  // the check star was measured
  QCOMPARE(clipboard_text(), QString("kept"));
}

void PhotometryWindowsTest::right_click_marks_stars_and_skies() {
  Program& p = start(star_field(*dir_));
  PictureBox* picture = p.window.image_window()->picture();
  p.click("Command7");  // marks on: a star button takes them away first
  QCOMPARE(p.workspace.cross_mode, 1);

  QTest::mouseClick(picture, Qt::RightButton, Qt::NoModifier, QPoint(12, 7));
  auto* three = window_named(p, "Form10");
  QVERIFY(three != nullptr && three->isVisible());
  QCOMPARE(three->windowTitle(), QString(" 12 /  7"));
  click_in(three, "Command2");  // "Variable": the sky goes 20 pixels right of the star
  QCOMPARE(p.workspace.cross_mode, 0);
  QCOMPARE(p.window.findChild<QPushButton*>("Command7")->text(), QString("Cross on"));
  QCOMPARE(p.workspace.positions[3], (orvane::photometry::Position{12, 7}));
  QCOMPARE(p.workspace.positions[4], (orvane::photometry::Position{32, 7}));
  QCOMPARE(QStringList({p.text(7), p.text(8), p.text(9), p.text(10)}),
           QStringList({" 12", " 7", " 32", " 7"}));
  QTRY_VERIFY(window_named(p, "Form10") == nullptr);

  // With sky positions each sky has its own button, which moves only the sky.
  p.action("photometry_menu_aperture_shape_square")->trigger();
  p.action("photometry_menu_sky_aperture")->trigger();
  QTest::mouseClick(picture, Qt::RightButton, Qt::NoModifier, QPoint(30, 33));
  auto* six = window_named(p, "Form5");
  QVERIFY(six != nullptr);
  click_in(six, "Command4");  // "Sky for var."
  QCOMPARE(p.workspace.positions[3], (orvane::photometry::Position{12, 7}));
  QCOMPARE(p.workspace.positions[4], (orvane::photometry::Position{30, 33}));
}

// The refusals are worked out in the sky-area tests; here one that only a square makes is shown,
// with the window staying open and nothing stored, and the corrected sizes are taken.
void PhotometryWindowsTest::sky_area_window_checks_before_it_stores() {
  Program& p = start("");
  p.action("photometry_menu_aperture_shape_square")->trigger();
  p.action("photometry_menu_aperture_size")->trigger();
  auto* sky = window_named(p, "Form11");
  QVERIFY(sky != nullptr && sky->isVisible());
  // The square's sky outlines start at half the inside radius: 5 / 2 = 2 is inside a box of
  // half side 4 / 2 = 2.
  sky->findChild<QLineEdit*>("Text3")->setText("4");
  sky->findChild<QLineEdit*>("Text1")->setText("5");
  sky->findChild<QLineEdit*>("Text2")->setText("20");
  click_in(sky, "Command1");
  QCOMPARE(p.ui.message_texts(), std::vector<std::string>{"Aperture > Sky , error"});
  QVERIFY(sky->isVisible());
  const auto& settings = p.workspace.photometry;
  QCOMPARE(settings.aperture_size, 3.0);  // nothing stored
  QCOMPARE(settings.sky_inner, 10.0);

  sky->findChild<QLineEdit*>("Text1")->setText("12");
  click_in(sky, "Command1");
  QTRY_VERIFY(window_named(p, "Form11") == nullptr);
  QCOMPARE(settings.aperture_size, 4.0);
  QCOMPARE(settings.sky_inner, 12.0);
  QCOMPARE(settings.sky_outer, 20.0);
  QCOMPARE(p.text(17), QString("  4 x  4"));
}

void PhotometryWindowsTest::cross_draws_and_erases_the_marks() {
  Program& p = start(star_field(*dir_));
  set_star_boxes(p);
  PictureBox* picture = p.window.image_window()->picture();
  const orvane::display::RgbImage before = picture->picture();
  const std::uint32_t green = orvane::display::kProfileGreen;

  // Rings round the comparison at (10, 10): aperture 3, inside 10, outside 20.
  p.click("Command7");
  QCOMPARE(p.window.findChild<QPushButton*>("Command7")->text(), QString("Cross off"));
  for (QPoint at : {QPoint(13, 10), QPoint(20, 10), QPoint(10, 30), QPoint(10, 0)})
    QCOMPARE(picture->pixel(at.x(), at.y()), green);
  p.click("Command7");
  QCOMPARE(picture->picture().pixels, before.pixels);

  // Sky boxes: the search square (span 15) in green and a white cross on every slot.
  p.action("photometry_menu_sky_aperture")->trigger();
  p.box(5)->setText("30");
  p.box(6)->setText("30");
  p.click("Command7");
  QCOMPARE(picture->pixel(25, 2), green);                        // search square
  QCOMPARE(picture->pixel(15, 10), orvane::display::grey(255));  // comparison's cross
  QCOMPARE(picture->pixel(30, 35), orvane::display::grey(255));  // its sky's cross
  p.action("photometry_menu_sky_median")->trigger();  // changing the sky takes the marks away
  QCOMPARE(p.workspace.cross_mode, 0);
  QCOMPARE(picture->picture().pixels, before.pixels);
}

QTEST_MAIN(PhotometryWindowsTest)
#include "photometry_windows_test.moc"
