// The file dialog and the folder windows as an observer uses them: opening and saving frames,
// the single and continuous dark and flat steps, composites and the BZERO/BSCALE batch.
#include <QCheckBox>
#include <QFileSystemModel>
#include <QListView>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "processing/processing_files.h"
#include "program.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"
#include "ui/file_dialog.h"
#include "ui/folder_window.h"

using orvane::test::FitsBuilder;
using orvane::test::pixels_of;
using orvane::test::Program;
using orvane::test::TempDir;

namespace {

// A 2 x 1 BITPIX 16 frame (BZERO 0: values read as they are).
std::string pair_frame(const TempDir& dir, const std::string& name, int a, int b) {
  return FitsBuilder::image(16, 2, 1).end().u16({a, b}).pad().write(dir.file(name));
}

QStringList listed_files(QWidget* dialog) {
  auto* view = dialog->findChild<QListView*>("File1");
  auto* model = static_cast<QFileSystemModel*>(view->model());
  QStringList names;
  const QModelIndex root = view->rootIndex();
  for (int row = 0; row < model->rowCount(root); ++row) {
    names << model->fileName(model->index(row, 0, root));
  }
  names.sort();
  return names;
}

template <typename T>
T* child(QWidget* window, const char* name) {
  return window->findChild<T*>(name);
}

}  // namespace

class FileWindowsTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

  QWidget* dialog_after(const char* item) {
    program_->action(item)->trigger();
    // A dialog closed by the new one is gone for good.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return program_->window.findChild<QWidget*>("Form2");
  }
  void press_ok(QWidget* window, const std::string& path = {}) {
    if (!path.empty()) child<QLineEdit>(window, "Text1")->setText(QString::fromStdString(path));
    child<QPushButton>(window, "Command1")->click();
  }

 private slots:
  void init() { new_folder(); }
  void cleanup() { end_runs(); }
  void each_mode_lists_its_own_files();
  void open_and_choose_a_file();
  void save_asks_for_a_bitpix_and_before_replacing();
  void single_dark_and_flat();
  void folder_list_is_edited_and_sorted();
  void continuous_dark_rewrites_the_listed_fits_files();
  void composite_and_scaling_cards();
};

void FileWindowsTest::each_mode_lists_its_own_files() {
  for (const char* name : {"a.fit", "b.FTS", "c.fits", "d.Fit", "mag_est.txt", "notes.TXT"}) {
    orvane::test::write_bytes(dir_->file(name), "x");
  }
  Program& p = start();
  QWidget* open = dialog_after("file_menu_open");
  QTRY_COMPARE(listed_files(open), (QStringList{"a.fit", "b.FTS", "c.fits", "d.Fit"}));
  // Choosing another purpose closes the open dialog first.
  QWidget* data = dialog_after("photometry_menu_light_curve");
  QCOMPARE(p.window.findChildren<orvane::ui::FileDialog*>().size(), 1);
  QTRY_COMPARE(listed_files(data), (QStringList{"mag_est.txt", "notes.TXT"}));
  // "Non Sign Integer" plays no part in saving.
  QVERIFY(!child<QCheckBox>(dialog_after("file_menu_save"), "Check2")->isEnabled());
  QVERIFY(child<QCheckBox>(dialog_after("utility_menu_dark_subtract"), "Check2")->isEnabled());
}

void FileWindowsTest::open_and_choose_a_file() {
  const std::string path = pair_frame(*dir_, "night.fit", 10, 20);
  Program& p = start();
  QWidget* dialog = dialog_after("file_menu_open");
  // A click in the file list puts the folder and the name into the name box.
  auto* view = child<QListView>(dialog, "File1");
  auto* model = static_cast<QFileSystemModel*>(view->model());
  QTRY_COMPARE(model->rowCount(view->rootIndex()), 1);
  const QModelIndex first = model->index(0, 0, view->rootIndex());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(first).center());
  QCOMPARE(child<QLineEdit>(dialog, "Text1")->text().toStdString(), path);

  // Enter in the name box is OK; a file the reader refuses keeps the frame and says so.
  child<QLineEdit>(dialog, "Text1")->setText(QString::fromStdString(dir_->file("none.fit")));
  QTest::keyClick(child<QLineEdit>(dialog, "Text1"), Qt::Key_Return);
  QCOMPARE(p.ui.message_texts().back(), std::string("File Open Error"));
  QVERIFY(p.workspace.frame.file_path.empty());

  press_ok(dialog_after("file_menu_open"), path);
  QCOMPARE(p.workspace.frame.file_path, path);
  QVERIFY(p.window.image_window() != nullptr);
  QTRY_VERIFY(p.window.findChild<QWidget*>("Form2") == nullptr);
}

void FileWindowsTest::save_asks_for_a_bitpix_and_before_replacing() {
  const std::string source = pair_frame(*dir_, "night.fit", 300, 40000);
  const std::string target = dir_->file("saved.fit");
  Program& p = start(source);
  QWidget* dialog = dialog_after("file_menu_save");
  press_ok(dialog, target);
  QCOMPARE(p.ui.message_texts(), std::vector<std::string>{"Please set a BITPIX"});
  QVERIFY(!std::filesystem::exists(target));

  child<QRadioButton>(dialog, "Option1")->setChecked(true);  // 8 bits: 300 and 40000 clip
  press_ok(dialog);
  QCOMPARE(pixels_of(target), (std::vector<int>{255, 255}));
  QCOMPARE(p.workspace.frame.pixels.at(0, 0), 300);  // the frame itself is not clipped
  QCOMPARE(p.ui.message_texts().back(), target + ": 2 values lowered to 255");

  // Saving over an existing file asks first; Cancel leaves it as it was.
  const std::string before = orvane::test::read_bytes(target);
  dialog = dialog_after("file_menu_save");
  child<QRadioButton>(dialog, "Option2")->setChecked(true);
  p.ui.answers = {false};
  press_ok(dialog, target);
  QCOMPARE(p.ui.questions.back().text, "Replace " + target + "?");
  QCOMPARE(orvane::test::read_bytes(target), before);
  press_ok(dialog);  // answered OK this time
  QCOMPARE(pixels_of(target), (std::vector<int>{300, 40000}));
}

// The arithmetic is worked out in the calibration tests; here each dialog reaches its step with
// the frame, the reference and "The minus is used", and the step can be undone.
void FileWindowsTest::single_dark_and_flat() {
  const struct {
    const char* item;
    bool minus_used;
    std::vector<int> expected;  // from the frame 100, 500 and the reference 120, 20
  } steps[] = {{"utility_menu_dark_subtract", false, {0, 480}},
               {"utility_menu_dark_subtract", true, {-20, 480}},
               // M = 70: 100 / 120 x 70 = 58.3 and 500 / 20 x 70.
               {"utility_menu_flat_field", false, {58, 1750}}};
  for (const auto& step : steps) {
    Program& p = start(pair_frame(*dir_, "light.fit", 100, 500));
    QWidget* dialog = dialog_after(step.item);
    child<QCheckBox>(dialog, "Check1")->setChecked(step.minus_used);
    press_ok(dialog, pair_frame(*dir_, "ref.fit", 120, 20));
    const auto& pixels = p.workspace.frame.pixels;
    QCOMPARE((std::vector<int>{pixels.at(0, 0), pixels.at(1, 0)}), step.expected);
    p.action("utility_menu_undo")->trigger();
    QCOMPARE(pixels.at(1, 0), 500);
  }
}

void FileWindowsTest::folder_list_is_edited_and_sorted() {
  for (const char* name : {"B2.fit", "a1.fit", "A3.fit", "skip.txt"}) {
    pair_frame(*dir_, name, 1, 2);
  }
  Program& p = start();
  p.action("utility_menu_continuous_composite")->trigger();
  auto* window = p.window.findChild<orvane::ui::FolderWindow*>("Form21");
  QVERIFY(window != nullptr);
  auto* list = child<QPlainTextEdit>(window, "Text1");
  // Listed without regard to letter case, the .txt left out.
  QCOMPARE(list->toPlainText(), QString("a1.fit\nA3.fit\nB2.fit\n"));
  child<QPushButton>(window, "Command3")->click();  // Sort: by character codes
  QCOMPARE(list->toPlainText(), QString("A3.fit\nB2.fit\na1.fit\n"));
}

void FileWindowsTest::continuous_dark_rewrites_the_listed_fits_files() {
  for (const char* name : {"n1.fit", "n2.fit", "n3.fit"}) pair_frame(*dir_, name, 500, 50);
  orvane::test::write_bytes(dir_->file("log.txt"), "kept");
  TempDir darks;
  const std::string dark = pair_frame(darks, "dark.fit", 100, 100);
  // The frame on the screen has a change of its own that is not saved yet.
  const std::string shown = pair_frame(darks, "shown.fit", 7, 8);
  Program& p = start(shown);
  p.workspace.frame.pixels.at(0, 0) = 9;
  p.workspace.current_folder = dir_->path().string();  // the night's folder, not the frame's
  press_ok(dialog_after("utility_menu_continuous_dark"), dark);
  auto* window = p.window.findChild<orvane::ui::FolderSettingWindow*>("Form7");
  QVERIFY(window != nullptr);
  child<QPushButton>(window, "Command1")->click();

  QCOMPARE(p.ui.questions.size(), std::size_t{1});
  QCOMPARE(p.ui.questions[0].text.substr(0, 47),
           std::string("Is a continuous processing of a dark frame exec"));
  for (const char* name : {"n1.fit", "n2.fit", "n3.fit"})
    QCOMPARE(pixels_of(dir_->file(name)), (std::vector<int>{400, 0}));
  QCOMPARE(orvane::test::read_bytes(dir_->file("log.txt")), std::string("kept"));
  QStringList captions;
  for (const std::string& line : p.ui.progress_lines)
    captions << QString::fromStdString(line.substr(0, line.find(':')));
  captions.removeDuplicates();
  QCOMPARE(captions, (QStringList{"Progress DARK", "Progress 1", "Progress 2", "Progress 3"}));
  // The frame on the screen is the one measured: the batch left it alone. The run ends with one
  // message.
  QCOMPARE(p.workspace.frame.file_path, shown);
  QCOMPARE(p.workspace.frame.pixels.at(0, 0), 9);
  QCOMPARE(p.ui.message_texts(),
           std::vector<std::string>{"Finished: 3 of 3 files processed, 0 left out."});
}

void FileWindowsTest::composite_and_scaling_cards() {
  // Five frames a..e holding 10, 20, 30, 40, 50: "3 pictures" gives the means 20, 30, 40.
  const std::vector<std::string> names = {"a.fit", "b.fit", "c.fit", "d.fit", "e.fit"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int v = 10 * int(i + 1);
    pair_frame(*dir_, names[i], v, v);
  }
  Program& p = start();
  p.action("utility_menu_continuous_composite")->trigger();
  auto* composite = p.window.findChild<QWidget*>("Form21");
  child<QPushButton>(composite, "Command1")->click();
  QCOMPARE(pixels_of(dir_->file("c3_b.fit")), (std::vector<int>{20, 20}));
  QCOMPARE(pixels_of(dir_->file("c3_d.fit")), (std::vector<int>{40, 40}));
  QVERIFY(!std::filesystem::exists(dir_->file("c3_a.fit")));
  QVERIFY(p.workspace.frame.file_path.empty());

  // BZERO 1000 on every listed file: the values read back 1000 higher.
  QTRY_VERIFY(p.window.findChild<QWidget*>("Form21") == nullptr);
  const std::string with_cards = FitsBuilder::image(16, 2, 1)
                                     .add("BZERO", "0")
                                     .add("BSCALE", "1")
                                     .end()
                                     .u16({5, 6})
                                     .pad()
                                     .write(dir_->file("scaled.fit"));
  p.action("utility_menu_continuous_bzero")->trigger();
  auto* scaling = p.window.findChild<QWidget*>("Form22");
  child<QPlainTextEdit>(scaling, "Text1")->setPlainText("scaled.fit\r\n");
  child<QLineEdit>(scaling, "Text2")->setText("1000");
  child<QPushButton>(scaling, "Command1")->click();
  QCOMPARE(pixels_of(with_cards), (std::vector<int>{1005, 1006}));
}

QTEST_MAIN(FileWindowsTest)
#include "file_windows_test.moc"
