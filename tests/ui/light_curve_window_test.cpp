// The light-curve window as an observer uses it: a night of records listed and plotted, bad
// points struck out from the list and the chart, a frame opened from its point, the file saved
// back, the report written, the axis window, and the observer's fields kept between runs.
#include <QDialog>
#include <QListWidget>
#include <QtTest>
#include <memory>

#include "core/settings_file.h"
#include "lightcurve/chart_layout.h"
#include "program.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"
#include "ui/control_panel.h"
#include "ui/light_curve_window.h"
#include "ui/picture_box.h"

using orvane::test::FitsBuilder;
using orvane::test::Program;
using orvane::test::TempDir;
using orvane::ui::LightCurveWindow;
using orvane::ui::PictureBox;

namespace {

constexpr std::uint32_t kGreen = orvane::lightcurve::kChartGreen;
const std::string kComment = ";RZ Cas, comparison BD+69 179";

// A night from 22:00 to 02:30 with magnitudes in quarters, so every difference is exact:
//   record  hour   C-K = Comp - Check   V-C = Var - Comp
//   1       22     -0.5                 0.25
//   2       23.5   -0.75                0.5
//   3       25     -0.5                 0.75
//   4       26.5   -1.0                 0.25   (its frame is missing)
std::vector<std::string> night_records(const TempDir& dir) {
  const char* const kRows[][5] = {{"14/03/26", "22:00:00", "008.00", "007.50", "007.75"},
                                  {"14/03/26", "23:30:00", "008.25", "007.50", "008.00"},
                                  {"14/03/27", "01:00:00", "008.00", "007.50", "008.25"},
                                  {"14/03/27", "02:30:00", "008.50", "007.50", "007.75"}};
  std::vector<std::string> records;
  int n = 1;
  for (const auto& r : kRows) {
    records.push_back(std::string(r[0]) + " " + r[1] + " 060 Check=" + r[2] + " Comp=" + r[3] +
                      " Var=" + r[4] + " " + dir.file("night_00" + std::to_string(n++) + ".fit"));
  }
  return records;
}

std::string crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// mag_est.txt in the folder, and small frames for the first three records.
std::string write_night(const TempDir& dir) {
  for (int n = 1; n <= 3; ++n) {
    FitsBuilder::image(16, 4, 4)
        .end()
        .u16(std::vector<int>(16, 100 * n))
        .pad()
        .write(dir.file("night_00" + std::to_string(n) + ".fit"));
  }
  std::vector<std::string> lines{kComment};
  for (const auto& record : night_records(dir)) lines.push_back(record);
  const std::string path = dir.file("mag_est.txt");
  orvane::test::write_bytes(path, crlf(lines));
  return path;
}

// Where each record's point lies. The pictures are 600 x 300, so the plot area starts at
// (30, 15) and is 540 x 270. Hours 22..27: x = 30 + Int((h - 22) / 5 x 540 + 0.5) = 30, 192,
// 354, 516. V-C in tenths 2..8 (2.5 and 7.5 widened): y = 15 + Int((10 d - 2) / 6 x 270 + 0.5)
// = 38, 150, 263, 38. C-K in tenths -10..-4: y = 15 + Int((10 d + 10) / 6 x 270 + 0.5) = 240,
// 128, 240, 15.
struct Place {
  QPoint check, var;
};
const Place kPlaces[] = {{{30, 240}, {30, 38}},
                         {{192, 128}, {192, 150}},
                         {{354, 240}, {354, 263}},
                         {{516, 15}, {516, 38}}};

// Population standard deviation of C-K: all four records give 0.2073, without record 4 0.1179.
const QString kErrorAll = "Photometry error = 0.2073";
const QString kErrorWithout4 = "Photometry error = 0.1179";

bool point_shown(PictureBox* box, QPoint at) {
  // A point is 3 x 3 pixels round its place.
  return box->pixel(at.x(), at.y()) == kGreen && box->pixel(at.x() - 1, at.y() - 1) == kGreen &&
         box->pixel(at.x() + 1, at.y() + 1) == kGreen;
}

}  // namespace

class LightCurveWindowTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

  std::string data_path_;

  // What the data-file dialog's OK does with mag_est.txt of the folder.
  LightCurveWindow* open(Program& p) {
    p.window.open_light_curve(data_path_);
    return p.window.light_curve_window();
  }
  template <typename T>
  T* child(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s", name);
    return found;
  }
  PictureBox* picture(QWidget* window, int n) {
    return child<PictureBox>(window, n == 1 ? "Picture1" : "Picture2");
  }
  QString text(QWidget* window, const char* name) { return child<QLineEdit>(window, name)->text(); }
  QString error_label(QWidget* window) { return child<QLabel>(window, "Label7")->text(); }
  QStringList list_lines(QWidget* window) {
    QStringList lines;
    auto* list = child<QListWidget>(window, "List1");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  // Press and release, then the double click: the list takes an item's double click only after
  // a press on the same item, as a real mouse sends it.
  void double_click_line(QWidget* window, int row) {
    auto* list = child<QListWidget>(window, "List1");
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
  QDialog* axis_window(QWidget* window) { return window->findChild<QDialog*>("Form18"); }

 private slots:
  void init() {
    new_folder();
    data_path_ = write_night(*dir_);
  }
  void cleanup() { end_runs(); }
  void night_is_listed_and_plotted();
  void list_double_click_strikes_out_and_takes_back();
  void chart_click_strikes_out_within_one_pixel();
  void other_button_opens_the_records_frame();
  void save_back_asks_first();
  void report_written_into_the_current_folder();
  void missing_file_or_a_frame_leaves_an_empty_window();
  void axis_window_refuses_takes_and_cancels();
  void fields_and_place_kept_between_runs();
};

void LightCurveWindowTest::night_is_listed_and_plotted() {
  Program& p = start();
  QVERIFY(p.action("photometry_menu_light_curve")->isEnabled());
  LightCurveWindow* w = open(p);
  QVERIFY(w != nullptr && w->isVisible());
  QCOMPARE(w->windowTitle(), QString::fromStdString("Light Curve (" + data_path_ + ")"));
  // Each line up to and including its eighth blank: everything but the frame's path.
  QCOMPARE(list_lines(w).size(), 4);
  QCOMPARE(list_lines(w)[3],
           QString(" 0004 : 14/03/27 02:30:00 060 Check=008.50 Comp=007.50 Var=007.75 "));
  QCOMPARE(text(w, "Text5"), QString::fromStdString(kComment));
  QCOMPARE(text(w, "Text1"), QString("10.000"));
  QCOMPARE(text(w, "Text2"), QString("CASRZ"));
  QCOMPARE(error_label(w), kErrorAll);
  for (const Place& place : kPlaces) {
    QVERIFY(point_shown(picture(w, 1), place.check));
    QVERIFY(point_shown(picture(w, 2), place.var));
  }
  QCOMPARE(picture(w, 2)->pixel(100, 100), orvane::lightcurve::kChartWhite);  // no point, no grid
  QVERIFY(p.ui.messages.empty());

  // The list takes what the window gains; the charts keep their size.
  auto* list = child<QListWidget>(w, "List1");
  const QSize list_before = list->size();
  w->resize(w->size() + QSize(120, 80));
  QCOMPARE(list->size(), list_before + QSize(120, 80));
  QCOMPARE(picture(w, 2)->size(), QSize(600, 300));
}

void LightCurveWindowTest::list_double_click_strikes_out_and_takes_back() {
  Program& p = start();
  LightCurveWindow* w = open(p);
  double_click_line(w, 3);
  QVERIFY(list_lines(w)[3].startsWith("x0004 : "));
  QVERIFY(!point_shown(picture(w, 1), kPlaces[3].check));
  QVERIFY(!point_shown(picture(w, 2), kPlaces[3].var));
  QVERIFY(point_shown(picture(w, 2), kPlaces[2].var));
  QCOMPARE(error_label(w), kErrorWithout4);

  double_click_line(w, 3);
  QVERIFY(list_lines(w)[3].startsWith(" 0004 : "));
  QVERIFY(point_shown(picture(w, 1), kPlaces[3].check));
  QVERIFY(point_shown(picture(w, 2), kPlaces[3].var));
  QCOMPARE(error_label(w), kErrorAll);
  QVERIFY(p.ui.messages.empty());
}

// Which clicks hit a point is worked out in the chart-layout tests; here one pixel off record 2's
// point strikes it out of both charts and the list.
void LightCurveWindowTest::chart_click_strikes_out_within_one_pixel() {
  Program& p = start();
  LightCurveWindow* w = open(p);
  QTest::mouseClick(picture(w, 2), Qt::LeftButton, Qt::NoModifier, kPlaces[1].var + QPoint(1, -1));
  QVERIFY(list_lines(w)[1].startsWith("x0002"));
  QVERIFY(!point_shown(picture(w, 2), kPlaces[1].var));
  QVERIFY(!point_shown(picture(w, 1), kPlaces[1].check));
  QCOMPARE(p.ui.message_texts(), std::vector<std::string>{"delete no = 0002"});
}

void LightCurveWindowTest::other_button_opens_the_records_frame() {
  Program& p = start();
  LightCurveWindow* w = open(p);
  QTest::mouseClick(picture(w, 2), Qt::RightButton, Qt::NoModifier, kPlaces[2].var);
  QCOMPARE(p.workspace.frame.file_path, dir_->file("night_003.fit"));
  QCOMPARE(p.workspace.frame.pixels.at(0, 0), 300);
  QVERIFY(p.window.image_window() != nullptr);
  QVERIFY(list_lines(w)[2].startsWith(" 0003"));  // the mark is not changed
  QVERIFY(p.ui.messages.empty());

  // Record 4's frame is missing: the reader says so and "Automatic" is hidden.
  QPushButton* automatic = p.window.panel()->automatic_button();
  automatic->show();
  QTest::mouseClick(picture(w, 2), Qt::MiddleButton, Qt::NoModifier, kPlaces[3].var);
  QCOMPARE(p.ui.messages.size(), std::size_t{1});
  QVERIFY(QString::fromStdString(p.ui.messages[0].text).contains("night_004.fit"));
  QVERIFY(automatic->isHidden());
  QCOMPARE(p.workspace.frame.file_path, dir_->file("night_003.fit"));
  QVERIFY(list_lines(w)[3].startsWith(" 0004"));
}

// Cancel leaves the file as it was; OK writes the records in use.
void LightCurveWindowTest::save_back_asks_first() {
  Program& p = start();
  LightCurveWindow* w = open(p);
  const std::string before = orvane::test::read_bytes(data_path_);
  QTest::mouseClick(picture(w, 2), Qt::LeftButton, Qt::NoModifier, kPlaces[1].var);
  p.ui.messages.clear();
  // A comment typed without its ";" gets one in front.
  child<QLineEdit>(w, "Text5")->setText(QString::fromStdString(kComment.substr(1)));
  const std::vector<std::string> records = night_records(*dir_);
  p.ui.answers = {false, true};
  for (const bool answer : {false, true}) {
    child<QPushButton>(w, "Command1")->click();
    QCOMPARE(p.ui.questions.back().text, "Do you want to save a photometry data? " + data_path_);
    QCOMPARE(orvane::test::read_bytes(data_path_),
             answer ? crlf({kComment, records[0], records[2], records[3]}) : before);
  }
  QVERIFY(p.ui.messages.empty());
}

void LightCurveWindowTest::report_written_into_the_current_folder() {
  Program& p = start();
  LightCurveWindow* w = open(p);
  child<QLineEdit>(w, "Text3")->setText("ABC");
  child<QLineEdit>(w, "Text4")->setText("V");
  child<QLineEdit>(w, "Text6")->setText("Taro, Nagano");
  child<QLineEdit>(w, "Text7")->setText("20cm f/6.3");
  child<QPushButton>(w, "Command3")->click();
  QCOMPARE(p.ui.message_texts(), std::vector<std::string>{"Completion, file name is sdata2.std"});

  // The boxes reach both files (the dates and the Julian Date are worked out in the report
  // tests): record 1, mid-exposure 22:00:30, magnitude 10.000 + 0.25 = 10.25.
  const std::string data_line =
      "20260314       ABC220030CASRZ               V magnitude    CCD(V)   01025 ";
  QCOMPARE(orvane::test::read_bytes(dir_->file("sdata2.2")).substr(0, data_line.size()), data_line);
  const std::string report = orvane::test::read_bytes(dir_->file("sdata2.std"));
  const std::string first_line = report.substr(0, report.find("\r\n"));
  QVERIFY(QByteArray::fromStdString(first_line).endsWith("2026/03/14 By ABC"));
  QVERIFY(QByteArray::fromStdString(report).endsWith(
      "observer: Taro, Nagano\r\ninstruments: 20cm f/6.3\r\n"
      "comment: photometry error = 0.2073\r\n"));
}

void LightCurveWindowTest::missing_file_or_a_frame_leaves_an_empty_window() {
  Program& p = start();
  std::filesystem::remove(data_path_);
  LightCurveWindow* w = open(p);
  QVERIFY(w->isVisible());
  QCOMPARE(p.ui.messages.size(), std::size_t{1});
  QVERIFY(
      QString::fromStdString(p.ui.messages[0].text).contains(QString::fromStdString(data_path_)));
  QVERIFY(list_lines(w).isEmpty());
  QCOMPARE(error_label(w), QString("Photometry error ="));
  // Nothing was read, so nothing may be written over the file.
  QVERIFY(!child<QPushButton>(w, "Command1")->isEnabled());
  QVERIFY(!child<QPushButton>(w, "Command3")->isEnabled());

  // The file appears; opening again reads it.
  write_night(*dir_);
  open(p);
  QCOMPARE(list_lines(w).size(), 4);
  QVERIFY(child<QPushButton>(w, "Command1")->isEnabled());

  // With a frame open the data-file dialog still proposes the folder's mag_est.txt; the frame
  // chosen all the same is refused and nothing can be saved over it.
  const std::string frame =
      orvane::test::FitsBuilder::image(16, 2, 1).end().u16({1, 2}).pad().write(dir_->file("f.fit"));
  const std::string frame_bytes = orvane::test::read_bytes(frame);
  p.window.open_by_name(frame);
  p.action("photometry_menu_light_curve")->trigger();
  auto* dialog = p.window.findChild<QWidget*>("Form2");
  auto* name_box = child<QLineEdit>(dialog, "Text1");
  QCOMPARE(name_box->text().toStdString(), data_path_);
  name_box->setText(QString::fromStdString(frame));
  child<QPushButton>(dialog, "Command1")->click();
  QCOMPARE(p.ui.message_texts().back(),
           frame +
               ": not a data file of observation records (binary data, not observation "
               "records)");
  QVERIFY(list_lines(w).isEmpty());
  QVERIFY(!child<QPushButton>(w, "Command1")->isEnabled());
  QVERIFY(!child<QPushButton>(w, "Command3")->isEnabled());
  QCOMPARE(orvane::test::read_bytes(frame), frame_bytes);
}

// What is kept and the message are worked out in the light-curve data tests.
// The ranges, the refusals and the hand-range arithmetic are worked out in the axis-settings
// tests; here the window opens from either chart, shows a refusal and stays open, and OK, Cancel
// and "Auto scale" redraw the chart or leave it.
void LightCurveWindowTest::axis_window_refuses_takes_and_cancels() {
  Program& p = start();
  LightCurveWindow* w = open(p);
  auto open_axes = [&](int chart) {
    QTest::mouseDClick(picture(w, chart), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    return axis_window(w);
  };
  auto type = [&](QDialog* axes, int box, const char* text) {
    child<QLineEdit>(axes, qPrintable("Text" + QString::number(box)))->setText(text);
  };
  auto press = [&](QDialog* axes, const char* button) {
    child<QPushButton>(axes, button)->click();
    QTRY_VERIFY(axis_window(w) == nullptr);
  };
  const QImage found = picture(w, 2)->image();
  QDialog* axes = open_axes(1);
  QVERIFY(axes != nullptr && axes->isVisible());
  QCOMPARE(text(axes, "Text2"), QString("27"));  // hours 22 .. Int(26.5) + 1
  type(axes, 8, "-0.1");
  child<QPushButton>(axes, "Command1")->click();
  QCOMPARE(p.ui.message_texts(), std::vector<std::string>{"The step must be above 0"});
  QVERIFY(axes->isVisible());
  QCOMPARE(picture(w, 2)->image(), found);
  press(axes, "Command2");
  p.ui.messages.clear();

  // Hours 21 .. 28 (stored as 27, drawn to Int(27) + 1), V-C 0 .. 1 by hand (no extra tenth):
  // record 2 moves to x = 30 + Int(2.5 / 7 x 540 + 0.5) = 223, y = 15 + Int(5 / 10 x 270 +
  // 0.5) = 150.
  axes = open_axes(2);
  type(axes, 1, "21");
  type(axes, 2, "28");
  type(axes, 5, "0");
  type(axes, 6, "1");
  press(axes, "Command1");
  QVERIFY(point_shown(picture(w, 2), QPoint(223, 150)));
  QVERIFY(!point_shown(picture(w, 2), kPlaces[1].var));

  press(open_axes(2), "Command3");  // "Auto scale"
  QCOMPARE(picture(w, 2)->image(), found);
  QVERIFY(p.ui.messages.empty());
}

void LightCurveWindowTest::fields_and_place_kept_between_runs() {
  using orvane::core::SettingsWindow;
  Program& first = start();
  LightCurveWindow* w = open(first);
  const std::pair<const char*, const char*> typed[] = {
      {"Text1", "11.5"}, {"Text2", "UMAZ"},         {"Text3", "ABC"},
      {"Text4", "V"},    {"Text6", "Taro, Nagano"}, {"Text7", "20cm f/6.3"}};
  for (const auto& [box, value] : typed) child<QLineEdit>(w, box)->setText(value);
  // Closed and opened again in the same run: every box as it was left.
  w->close();
  open(first);
  for (const auto& [box, value] : typed) QCOMPARE(text(w, box), QString(value));
  w->move(300, 200);
  first.window.close();

  // The observer's four fields are lines 1-4 of the settings file.
  const auto stored = orvane::core::SettingsFile::read(dir_->file("orvane.ini"));
  for (int line = 0; line < 4; ++line)
    QCOMPARE(stored.observer_line(line), std::string(typed[line + 2].second));
  QCOMPARE(*stored.position(SettingsWindow::kForm17),
           (orvane::core::WindowPosition{300 * 15, 200 * 15}));

  // The next run: the observer's fields and the place come back, the magnitude and the star
  // start from their defaults.
  Program& second = start();
  w = open(second);
  QCOMPARE(w->pos(), QPoint(300, 200));
  QStringList texts;
  for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text6", "Text7"})
    texts << text(w, box);
  QCOMPARE(texts, QStringList({"10.000", "CASRZ", "ABC", "V", "Taro, Nagano", "20cm f/6.3"}));
}

QTEST_MAIN(LightCurveWindowTest)
#include "light_curve_window_test.moc"
