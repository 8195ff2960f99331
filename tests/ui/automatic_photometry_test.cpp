// Automatic photometry in the desktop program: the folder window, the start message, the frame
// loop with "Form9" answered by the test, pictures not checked, and the window that asks.
#include <QAction>
#include <QCheckBox>
#include <QFileSystemModel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "program.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"
#include "ui/folder_window.h"
#include "ui/frame_choice_window.h"

using orvane::core::FrameChoice;
using orvane::test::FitsBuilder;
using orvane::test::Program;
using orvane::test::TempDir;

namespace {

constexpr int kSide = 60;

// A 60 x 60 frame of background 100 with the comparison at (10, 10) 1000 above it, the variable
// at (40, 10) 100 above it and the check star at (10, 40) 10000 above it, each further from the
// others than the search span reaches: magnitudes 20 - 2.511886432 x 3 = 12.46, x 2 = 14.98 and
// x 4 = 9.95 (the ring's median stays 100).
std::string field(const TempDir& dir, const std::string& name, const std::string& time,
                  int comparison_excess = 1000) {
  std::vector<int> values(kSide * kSide, 100);
  values[10 * kSide + 10] += comparison_excess;
  values[10 * kSide + 40] += 100;
  values[40 * kSide + 10] += 10000;
  return FitsBuilder::image(16, kSide, kSide)
      .add_raw("DATE-OBS= '2015-01-03T" + time + "'")
      .add("EXPTIME", "30")
      .end()
      .u16(values)
      .pad()
      .write(dir.file(name));
}

}  // namespace

class AutomaticPhotometryTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

  std::vector<std::string> frames_;

  // Chooses the folder in the folder window and presses OK; the stars are then marked.
  void begin(Program& p, bool pictures_not_checked) {
    p.action("photometry_menu_automatic")->trigger();
    auto* folder = p.window.findChild<orvane::ui::FolderSettingWindow*>("Form7");
    QVERIFY(folder != nullptr);
    folder->findChild<QCheckBox*>("Check2")->setChecked(pictures_not_checked);
    folder->findChild<QPushButton*>("Command1")->click();
    p.window.set_position(1, {10, 10});
    p.window.set_position(3, {40, 10});
    p.window.set_position(5, {10, 40});
  }
  // The data file's line of a frame, ended by CR LF.
  std::string record(std::size_t frame, const std::string& time) {
    return "2015-01-03 " + time + " 030 Check=009.95 Comp=012.46 Var=014.98 " + frames_[frame] +
           "\r\n";
  }
  std::string data_file() { return orvane::test::read_bytes(dir_->file("mag_est.txt")); }

 private slots:
  void init() {
    new_folder();
    frames_ = {field(*dir_, "f1.fit", "21:00:00"), field(*dir_, "f2.fit", "21:01:00"),
               field(*dir_, "f3.fit", "21:02:00")};
    orvane::test::write_bytes(dir_->file("notes.txt"), "not a frame");
    orvane::test::write_bytes(dir_->file("mag_est.txt"), "earlier night\r\n");
  }
  void cleanup() { end_runs(); }
  void start_empties_the_data_file_even_when_cancelled();
  void each_frame_is_kept_skipped_or_the_run_stopped();
  void pictures_not_checked_run_unattended();
  void comparison_and_variable_must_differ();
  void the_run_takes_the_folder_the_window_shows();
  void frame_choice_window_answers_and_keeps_its_place();
};

void AutomaticPhotometryTest::start_empties_the_data_file_even_when_cancelled() {
  Program& p = start();
  p.ui.answers = {false};
  begin(p, false);
  QCOMPARE(p.ui.questions.size(), std::size_t{1});  // how to go on, answered Cancel
  QCOMPARE(data_file(), std::string());
  QCOMPARE(orvane::test::read_bytes(dir_->file("mag_est.txt.bak")),
           std::string("earlier night\r\n"));
  QCOMPARE(p.workspace.frame.file_path, frames_[0]);  // the first frame is shown
  // Cancel leaves the mode: the buttons go, the menus come back.
  QVERIFY(p.window.findChild<QPushButton*>("Command8")->isHidden());
  QVERIFY(p.window.findChild<QMenu*>("file_menu")->menuAction()->isEnabled());
  QVERIFY(p.window.findChild<orvane::ui::FolderWindow*>("Form7") == nullptr ||
          !p.window.findChild<orvane::ui::FolderWindow*>("Form7")->isVisible());
  QVERIFY(p.workspace.settings.position(orvane::core::SettingsWindow::kForm7).has_value());
}

void AutomaticPhotometryTest::each_frame_is_kept_skipped_or_the_run_stopped() {
  Program& p = start();
  begin(p, false);
  QVERIFY(!p.window.findChild<QPushButton*>("Command8")->isHidden());
  QVERIFY(!p.window.findChild<QMenu*>("utility_menu")->menuAction()->isEnabled());
  p.ui.frame_choices = {FrameChoice::kSave, FrameChoice::kDontSave, FrameChoice::kCancel};
  p.click("Command8");
  // Each frame was asked about under its own path, with the marks on the picture meanwhile.
  QCOMPARE(p.ui.frame_captions, frames_);
  QCOMPARE(data_file(), record(0, "21:00:00"));
  QCOMPARE(p.workspace.cross_mode, 0);
  QCOMPARE(p.text(15), QString(" 12.46"));
  // Cancel stops at the third frame; "Automatic" again measures it again, and the end of the
  // list ends the mode.
  QVERIFY(!p.window.findChild<QPushButton*>("Command8")->isHidden());
  p.click("Command8");
  QCOMPARE(p.ui.frame_captions.back(), frames_[2]);
  QCOMPARE(data_file(), record(0, "21:00:00") + record(2, "21:02:00"));
  QCOMPARE(p.ui.message_texts().back(), std::string("Automatic photometry end"));
  QVERIFY(p.window.findChild<QPushButton*>("Command8")->isHidden());
  QVERIFY(p.window.image_window() == nullptr);
  QVERIFY(p.window.findChild<QMenu*>("utility_menu")->menuAction()->isEnabled());
}

void AutomaticPhotometryTest::pictures_not_checked_run_unattended() {
  // The second frame has no comparison star; a truncated frame sits between the others.
  field(*dir_, "f2.fit", "21:01:00", 0);
  orvane::test::write_bytes(dir_->file("f2b.fit"), "SIMPLE  =");
  Program& p = start();
  begin(p, true);
  p.click("Command8");
  QVERIFY(p.ui.frame_captions.empty());  // nobody is asked
  QCOMPARE(data_file(), record(0, "21:00:00") + record(2, "21:02:00"));
  QVERIFY(p.ui.progress_lines.size() >= 3);
  QVERIFY(p.ui.progress_closed >= 1);
  // No per-frame boxes: one message at the end names what got no record and why.
  QCOMPARE(p.ui.messages.size(), std::size_t{1});
  const std::string& end = p.ui.messages[0].text;
  QVERIFY(end.rfind("Automatic photometry end\r\nmeasured 2, skipped 2", 0) == 0);
  QVERIFY(end.find("No Star (no record): " + frames_[1]) != std::string::npos);
  QVERIFY(end.find(dir_->file("f2b.fit")) != std::string::npos);
}

void AutomaticPhotometryTest::comparison_and_variable_must_differ() {
  Program& p = start();
  begin(p, false);
  p.window.set_position(3, {10, 10});
  p.click("Command8");
  QCOMPARE(
      p.ui.message_texts(),
      std::vector<std::string>{"Selecting the Variavble star and the Comparison star position"});
  QCOMPARE(data_file(), std::string());
}

// The folder list's current item moved by the keyboard (not a click) is the folder in use; a
// folder without frames is refused before its data file is touched.
void AutomaticPhotometryTest::the_run_takes_the_folder_the_window_shows() {
  for (const char* folder : {"b", "empty"}) {
    std::filesystem::create_directory(dir_->file(folder));
    orvane::test::write_bytes(dir_->file(folder) + "/mag_est.txt", "night " + std::string(folder));
  }
  field(*dir_, "b/g1.fit", "22:00:00");
  Program& p = start();
  p.ui.answers = {false};
  p.action("photometry_menu_automatic")->trigger();
  auto* window = p.window.findChild<orvane::ui::FolderSettingWindow*>("Form7");
  auto* folders = window->findChild<QTreeView*>("Dir1");
  auto* model = static_cast<QFileSystemModel*>(folders->model());
  const auto move_to = [&](const char* folder) {
    folders->setCurrentIndex(model->index(QString::fromStdString(dir_->file(folder))));
  };
  move_to("empty");
  QCOMPARE(window->findChild<QPlainTextEdit*>("Text1")->toPlainText(), QString());
  window->findChild<QPushButton*>("Command1")->click();
  QCOMPARE(p.ui.message_texts(),
           std::vector<std::string>{dir_->file("empty") +
                                    ": no FITS file (.fit, .fts, .fits) is listed"});
  QCOMPARE(orvane::test::read_bytes(dir_->file("empty/mag_est.txt")), std::string("night empty"));
  QVERIFY(!std::filesystem::exists(dir_->file("empty/mag_est.txt.bak")));
  QVERIFY(window->isVisible());

  move_to("b");
  QCOMPARE(window->findChild<QPlainTextEdit*>("Text1")->toPlainText(), QString("g1.fit\n"));
  window->findChild<QPushButton*>("Command1")->click();
  QCOMPARE(orvane::test::read_bytes(dir_->file("b/mag_est.txt")), std::string());
  QCOMPARE(data_file(), std::string("earlier night\r\n"));
  QCOMPARE(p.workspace.frame.file_path, dir_->file("b/g1.fit"));
}

void AutomaticPhotometryTest::frame_choice_window_answers_and_keeps_its_place() {
  orvane::core::SettingsFile settings;
  const std::pair<const char*, FrameChoice> buttons[] = {{"Command1", FrameChoice::kSave},
                                                         {"Command2", FrameChoice::kDontSave},
                                                         {"Command3", FrameChoice::kCancel}};
  for (const auto& [name, expected] : buttons) {
    orvane::ui::FrameChoiceWindow window("/obs/f1.fit", &settings);
    QCOMPARE(window.windowTitle(), QString("/obs/f1.fit"));
    window.show();
    window.move(30, 45);
    window.findChild<QPushButton*>(name)->click();
    QCOMPARE(window.choice(), expected);
    QVERIFY(!window.isVisible());
  }
  QCOMPARE(settings.position(orvane::core::SettingsWindow::kForm9)->left, 30 * 15);
  // Closing the window counts as Cancel.
  orvane::ui::FrameChoiceWindow window("/obs/f1.fit", &settings);
  window.show();
  window.close();
  QCOMPARE(window.choice(), FrameChoice::kCancel);
}

QTEST_MAIN(AutomaticPhotometryTest)
#include "automatic_photometry_test.moc"
