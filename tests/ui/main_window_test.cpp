// The main window as a user meets it: start-up, menus, opening files, settings between runs.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "core/settings_file.h"
#include "display/rgb_image.h"
#include "support/fits_builder.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"
#include "ui/image_window.h"
#include "ui/main_window.h"

using orvane::test::FitsBuilder;
using orvane::test::ScriptedUserInterface;
using orvane::test::TempDir;
using orvane::ui::MainWindow;
using orvane::ui::Workspace;

namespace {

// Drops the files on the window the way a file manager does: enter, then drop.
void drop_files(QWidget& window, const std::vector<std::string>& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const auto& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
}

// One run of the program: its workspace, a recording user interface and the main window.
struct Program {
  explicit Program(const TempDir& dir)
      : workspace(dir.file("orvane.ini"), dir.path().string()), window(workspace, ui) {}

  QAction* action(const char* name) { return window.findChild<QAction*>(name); }
  QString text(int number) {
    return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number))->text();
  }
  QLineEdit* box(int number) {
    return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
  }
  QString label(int number) {
    return window.findChild<QLabel*>(QStringLiteral("Label%1").arg(number))->text();
  }

  Workspace workspace;
  ScriptedUserInterface ui;
  MainWindow window;
};

// A 6 x 4 frame whose pixel (x, y) is 100 + 10 x + y, one saturated pixel at (5, 3).
std::string write_frame(const TempDir& dir, const std::string& name) {
  std::vector<int> values;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) values.push_back(x == 5 && y == 3 ? 4000 : 100 + 10 * x + y);
  }
  return FitsBuilder::image(16, 6, 4).end().u16(values).pad().write(dir.file(name));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void start_up_values();
  void command_line_file_data();
  void command_line_file();
  void command_line_file_that_cannot_be_read();
  void display_scale_items_refused_without_a_frame();
  void radio_groups();
  void scale_and_rotation_rebuild_the_image_window();
  void cursor_read_out_through_the_image_window();
  void magnifier_follows_clicks_and_closes_with_the_picture();
  void step_buttons_and_typed_contrast();
  void search_span_squares();
  void dropped_file_is_opened();
  void version_box();
  void undo_after_a_change_and_after_a_new_file();
  void settings_survive_two_starts();
};

void MainWindowTest::start_up_values() {
  TempDir dir;
  Program p(dir);
  p.window.start("");
  QCOMPARE(p.window.windowTitle(), QString("Orvane viewer ver1.01"));
  QCOMPARE(p.window.objectName(), QString("Form1"));
  QCOMPARE(p.text(11), QString(" Peak & Move"));
  QCOMPARE(p.text(17), QString("  Radii 3"));
  QCOMPARE(p.text(18), QString(" 15"));
  // auto_contrast on the empty frame leaves background 0 and lifts the range to 1.
  QCOMPARE(p.text(1), QString(" 1"));
  QCOMPARE(p.text(2), QString(" 0"));
  QCOMPARE(p.label(20), QString("max 0 / min 0 / ave 0"));
  for (int sky_box : {5, 6, 9, 10, 21, 22}) QVERIFY(p.box(sky_box)->isHidden());
  QVERIFY(p.action("display_menu_image")->isChecked());
  QVERIFY(!p.action("display_menu_image_12")->isChecked());
  QVERIFY(!p.action("display_menu_dusky_picture")->isChecked());
  QVERIFY(!p.action("utility_menu_undo")->isEnabled());
  QVERIFY(!p.action("utility_menu_beep")->isChecked());
  QVERIFY(p.window.findChild<QPushButton*>("Command8")->isHidden());
  QVERIFY(p.window.findChild<QPushButton*>("Command9")->isHidden());
  QCOMPARE(p.workspace.frame.sign_mode, 1);
  QCOMPARE(p.workspace.comparison.observer_code, std::string("Obs code"));
  QCOMPARE(p.workspace.display.curve_scale, 255.0);
  QVERIFY(p.ui.messages.empty());
}

void MainWindowTest::command_line_file_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("opened");
  QTest::addColumn<QStringList>("messages");
  QTest::newRow(".fit is opened") << "night.fit" << true << QStringList{};
  QTest::newRow(".fits is opened too") << "night.fits" << true << QStringList{};
  QTest::newRow("upper case .FTS") << "night.FTS" << true << QStringList{};
  QTest::newRow(".txt is not FITS")
      << "night.txt" << false << QStringList{"This file is not FITS file"};
}

void MainWindowTest::command_line_file() {
  QFETCH(QString, name);
  QFETCH(bool, opened);
  QFETCH(QStringList, messages);
  TempDir dir;
  const std::string path = write_frame(dir, name.toStdString());
  Program p(dir);
  p.window.start(path);
  QStringList shown;
  for (const auto& text : p.ui.message_texts()) shown << QString::fromStdString(text);
  QCOMPARE(shown, messages);
  QCOMPARE(p.window.image_window() != nullptr, opened);
  if (!opened) return;
  QCOMPARE(p.window.image_window()->windowTitle(), QString::fromStdString(path));
  // 24 pixels of 100 + 10x + y sum to 2400 + 600 + 36 = 3036; with (5, 3) = 4000 instead of 153
  // the sum is 6883, and 6883 / 24 = 286.8 shows as 287.
  QCOMPARE(p.label(20), QString("max 4000 / min 100 / ave 287"));
}

void MainWindowTest::command_line_file_that_cannot_be_read() {
  TempDir dir;
  const std::string path = FitsBuilder::image(64, 2, 2).end().write(dir.file("deep.fit"));
  Program p(dir);
  p.window.start(path);
  QCOMPARE(p.ui.message_texts(),
           (std::vector<std::string>{path + "BITPIX error : BITPIX = 64", "File Open Error"}));
  QVERIFY(p.window.image_window() == nullptr);
  QCOMPARE(p.label(20), QString("max 0 / min 0 / ave 0"));
  QCOMPARE(p.workspace.frame.file_path, std::string());
}

void MainWindowTest::display_scale_items_refused_without_a_frame() {
  TempDir dir;
  Program p(dir);
  p.window.start("");
  for (const char* item : {"display_menu_image_12", "display_menu_image_14",
                           "display_menu_image_rotation", "display_menu_image"}) {
    p.ui.messages.clear();
    p.action(item)->trigger();
    QCOMPARE(p.ui.message_texts(), std::vector<std::string>{"You do not open the data file"});
  }
  QVERIFY(p.action("display_menu_image")->isChecked());
  QVERIFY(!p.action("display_menu_image_12")->isChecked());
  QCOMPARE(p.workspace.display.display_scale, 1);
  QVERIFY(p.window.image_window() == nullptr);
}

void MainWindowTest::radio_groups() {
  TempDir dir;
  Program p(dir);
  p.window.start(write_frame(dir, "a.fit"));
  auto checked = [&](std::initializer_list<const char*> names) {
    QStringList on;
    for (const char* name : names) {
      if (p.action(name)->isChecked()) on << name;
    }
    return on;
  };
  p.action("display_menu_image_14")->trigger();
  QCOMPARE(checked({"display_menu_image", "display_menu_image_12", "display_menu_image_14"}),
           QStringList{"display_menu_image_14"});
  p.action("display_menu_image_14")->trigger();  // choosing it again keeps it checked
  QCOMPARE(checked({"display_menu_image", "display_menu_image_12", "display_menu_image_14"}),
           QStringList{"display_menu_image_14"});

  p.action("photometry_menu_digit3")->trigger();
  QCOMPARE(checked({"photometry_menu_digit2", "photometry_menu_digit3"}),
           QStringList{"photometry_menu_digit3"});
  QCOMPARE(p.workspace.photometry.digits, 3);

  p.action("photometry_menu_position_fix")->trigger();
  QCOMPARE(p.text(11), QString(" Fix position"));
  QCOMPARE(p.workspace.photometry.position_mode, 0);
  p.action("photometry_menu_position_peak")->trigger();
  QCOMPARE(p.text(11), QString(" Peak cast"));
  QCOMPARE(checked({"photometry_menu_position_fix", "photometry_menu_position_peak",
                    "photometry_menu_position_move"}),
           QStringList{"photometry_menu_position_peak"});

  p.action("photometry_menu_sky_aperture")->trigger();
  QCOMPARE(p.workspace.photometry.sky_mode, 0);
  QVERIFY(!p.box(21)->isHidden());
  p.action("photometry_menu_aperture_shape_square")->trigger();
  QCOMPARE(p.text(17), QString("  3 x  3"));
  // A circle measures its sky in a ring: choosing it returns to the median sky.
  p.action("photometry_menu_aperture_shape_circle")->trigger();
  QCOMPARE(p.workspace.photometry.sky_mode, 1);
  QVERIFY(p.action("photometry_menu_sky_median")->isChecked());
  QVERIFY(p.box(21)->isHidden());
  QCOMPARE(p.text(17), QString("  Radii 3"));

  p.action("photometry_menu_real")->trigger();
  QCOMPARE(p.workspace.photometry.sum_mode, 1);
  p.action("photometry_menu_jst_utc_plus9")->trigger();
  QCOMPARE(p.workspace.photometry.time_zone, 9);
  QVERIFY(!p.action("photometry_menu_jst_utc_default")->isChecked());

  p.action("display_menu_dusky_picture")->trigger();
  QVERIFY(p.workspace.frame.dusky_mode);
  p.action("display_menu_dusky_picture")->trigger();
  QVERIFY(!p.workspace.frame.dusky_mode);
}

void MainWindowTest::scale_and_rotation_rebuild_the_image_window() {
  TempDir dir;
  Program p(dir);
  p.window.start(write_frame(dir, "a.fit"));
  QPointer<orvane::ui::ImageWindow> first = p.window.image_window();
  QVERIFY(first);
  p.workspace.magnifier_shown = 1;
  p.workspace.display.line_mode = 1;

  p.action("display_menu_image_12")->trigger();
  QTRY_VERIFY(first.isNull());
  QCOMPARE(p.workspace.display.display_scale, 2);
  QCOMPARE(p.workspace.magnifier_shown, 0);
  QCOMPARE(p.workspace.display.line_mode, 0);
  auto* picture = p.window.image_window()->picture();
  QCOMPARE(picture->canvas_width(), 3);   // ceil(6 / 2)
  QCOMPARE(picture->canvas_height(), 2);  // ceil(4 / 2)

  QPointer<orvane::ui::ImageWindow> second = p.window.image_window();
  p.action("display_menu_image_rotation")->trigger();
  QTRY_VERIFY(second.isNull());
  QCOMPARE(p.workspace.display.display_scale, 2);
  // Turned by 180 degrees: the saturated corner pixel (5, 3) is now at (0, 0).
  QCOMPARE(p.workspace.frame.pixels.at(0, 0), 4000);
  QCOMPARE(p.workspace.frame.pixels.at(5, 3), 100);
  QVERIFY(p.window.image_window() != nullptr);
}

void MainWindowTest::cursor_read_out_through_the_image_window() {
  TempDir dir;
  Program p(dir);
  p.window.start(write_frame(dir, "a.fit"));
  p.action("display_menu_image_14")->trigger();
  QWidget* picture = p.window.image_window()->picture();
  // Display pixel (1, 0) at scale 4 stands for frame pixel (4, 0): 100 + 40.
  QTest::mouseMove(picture, QPoint(1, 0));
  QTRY_COMPARE(p.text(12), QString(" 4"));
  QCOMPARE(p.text(13), QString(" 0"));
  QCOMPARE(p.text(14), QString(" 140"));
}

void MainWindowTest::magnifier_follows_clicks_and_closes_with_the_picture() {
  TempDir dir;
  Program p(dir);
  p.window.start(write_frame(dir, "a.fit"));
  QWidget* picture = p.window.image_window()->picture();
  QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QVERIFY(p.window.magnifier()->isVisible());
  QCOMPARE(p.workspace.magnifier_shown, 1);
  QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QVERIFY(!p.window.magnifier()->isVisible());
  QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QVERIFY(p.window.magnifier()->isVisible());
  // Closing the picture closes the magnifier; the next picture's first click opens it again.
  p.window.image_window()->close();
  QVERIFY(!p.window.magnifier()->isVisible());
  QCOMPARE(p.workspace.magnifier_shown, 0);
  QVERIFY(p.window.open_by_name(write_frame(dir, "b.fit")));
  QTest::mouseClick(p.window.image_window()->picture(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(1, 1));
  QVERIFY(p.window.magnifier()->isVisible());
}

void MainWindowTest::step_buttons_and_typed_contrast() {
  TempDir dir;
  Program p(dir);
  p.window.start("");
  p.box(1)->setText("5");
  p.window.findChild<QPushButton*>("Command1")->click();  // 5.5 rounds to even 6
  QCOMPARE(p.text(1), QString(" 6"));
  QCOMPARE(p.workspace.display.range, 6);
  p.box(1)->setText("5");
  p.window.findChild<QPushButton*>("Command2")->click();  // 4.5 rounds to even 4
  QCOMPARE(p.text(1), QString(" 4"));
  p.box(2)->setText("100");
  p.window.findChild<QPushButton*>("Command3")->click();  // 100.1 stays 100
  QCOMPARE(p.text(2), QString(" 100"));
  p.box(2)->setText("12.5 counts");  // leading number, halves to even
  QCOMPARE(p.workspace.display.background, 12);
  p.box(18)->setText("7.5");
  QCOMPARE(p.workspace.photometry.search_span, 7.5);
}

void MainWindowTest::search_span_squares() {
  TempDir dir;
  Program p(dir);
  p.window.start(write_frame(dir, "a.fit"));
  p.box(18)->setText("1");
  p.box(3)->setText("2");
  p.box(4)->setText("2");
  auto* picture = p.window.image_window()->picture();
  const std::uint32_t before = picture->pixel(1, 1);
  auto* span_label = p.window.findChild<QLabel*>("Label16");
  QTest::mouseClick(span_label, Qt::LeftButton);
  // Comparison at (2, 2) with span 1: its square's corner (1, 1) is green.
  QCOMPARE(picture->pixel(1, 1), orvane::display::kProfileGreen);
  QTest::mouseClick(span_label, Qt::LeftButton);
  QCOMPARE(picture->pixel(1, 1), before);

  p.action("photometry_menu_sky_aperture")->trigger();
  QTest::mouseClick(span_label, Qt::LeftButton);
  QCOMPARE(p.workspace.search_span_shown, 0);
  QCOMPARE(picture->pixel(1, 1), before);
}

void MainWindowTest::dropped_file_is_opened() {
  TempDir dir;
  Program p(dir);
  p.window.start("");
  const std::string good = write_frame(dir, "dropped.Fts");
  drop_files(p.window, {good, dir.file("other.fit")});
  QVERIFY(p.ui.messages.empty());
  QVERIFY(p.window.image_window() != nullptr);
  QCOMPARE(p.workspace.frame.file_path, good);

  const std::string bad = FitsBuilder::image(64, 2, 2).end().write(dir.file("deep.fit"));
  drop_files(p.window, {bad});
  QCOMPARE(p.ui.message_texts(),
           (std::vector<std::string>{bad + "BITPIX error : BITPIX = 64", "File Open Error"}));
  QCOMPARE(p.workspace.frame.file_path, good);  // the refused file changed nothing
}

void MainWindowTest::version_box() {
  TempDir dir;
  Program p(dir);
  p.window.start("");
  p.action("version_menu")->trigger();
  QCOMPARE(p.ui.messages.size(), std::size_t{1});
  QCOMPARE(p.ui.messages[0].title, std::string("Astronomical Photometry"));
  QVERIFY(p.ui.messages[0].text.rfind("Orvane Version 1.01\r\n", 0) == 0);
  QVERIFY(p.ui.messages[0].text.find("\r\nMar/2012") != std::string::npos);
}

void MainWindowTest::undo_after_a_change_and_after_a_new_file() {
  TempDir dir;
  Program p(dir);
  p.window.start(write_frame(dir, "a.fit"));
  orvane::core::undo_take(p.workspace.frame);
  p.workspace.frame.pixels.at(0, 0) = 9999;
  p.window.refresh_undo_item();
  QVERIFY(p.action("utility_menu_undo")->isEnabled());
  p.action("utility_menu_undo")->trigger();
  QCOMPARE(p.workspace.frame.pixels.at(0, 0), 100);
  QVERIFY(!p.action("utility_menu_undo")->isEnabled());
  QCOMPARE(p.label(20), QString("max 4000 / min 100 / ave 287"));

  orvane::core::undo_take(p.workspace.frame);
  p.window.refresh_undo_item();
  QVERIFY(p.action("utility_menu_undo")->isEnabled());
  QVERIFY(p.window.open_by_name(write_frame(dir, "b.fit")));
  // The copy belonged to the previous image.
  QVERIFY(!p.action("utility_menu_undo")->isEnabled());
}

void MainWindowTest::settings_survive_two_starts() {
  TempDir dir;
  orvane::core::SettingsFile stored;
  stored.set_observer_line(0, "ABC");
  stored.set_observer_line(3, "20cm f/6.3, ST-7");
  stored.set_position(orvane::core::SettingsWindow::kForm17, {3000, 4500});
  QVERIFY(stored.write(dir.file("orvane.ini")));
  {
    Program first(dir);
    first.window.start("");
    first.action("utility_menu_beep")->trigger();
    QVERIFY(first.workspace.beep_on);
    first.window.move(45, 60);
    first.window.close();
  }
  Program second(dir);
  second.window.start("");
  QVERIFY(second.action("utility_menu_beep")->isChecked());
  QCOMPARE(second.window.pos(), QPoint(45, 60));
  const auto& settings = second.workspace.settings;
  QCOMPARE(settings.observer_line(0), std::string("ABC"));
  QCOMPARE(settings.observer_line(3), std::string("20cm f/6.3, ST-7"));
  // Light-curve window: not built yet, its place kept as it was read.
  QCOMPARE(settings.position(orvane::core::SettingsWindow::kForm17)->left, 3000);
  QCOMPARE(settings.position(orvane::core::SettingsWindow::kForm1)->left, 45 * 15);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
