// The desktop program as an observer meets it: drops, typed positions, a picture that follows
// the contrast, the keyboard, messages owned by the window that asks, and where things are.
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QtTest>
#include <filesystem>

#include "program.h"
#include "support/fits_builder.h"
#include "ui/control_panel.h"
#include "ui/folder_window.h"
#include "ui/frame_choice_window.h"
#include "ui/light_curve_window.h"

using orvane::test::FitsBuilder;
using orvane::test::Program;

namespace {

// A 40 x 30 frame rising from 100 by 3 a column and 1 a row, with one pixel of 5000 at
// (20, 15).
std::string frame(const orvane::test::TempDir& dir, const std::string& name) {
  std::vector<int> values(40 * 30);
  for (int i = 0; i < 40 * 30; ++i) values[i] = 100 + 3 * (i % 40) + i / 40;
  values[15 * 40 + 20] = 5000;
  return FitsBuilder::image(16, 40, 30).end().u16(values).pad().write(dir.file(name));
}

// Drags the file (and a second one) onto the widget and drops them there, as the window system
// delivers them.
void drop_file(QWidget* target, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path)),
                QUrl::fromLocalFile(QString::fromStdString(path + ".other.fit"))});
  const QPoint at(2, 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
}

}  // namespace

class ObserverInputTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

 private slots:
  void init() { new_folder(); }
  void cleanup() { end_runs(); }
  void drops_open_frames_and_make_their_folder_current();
  void typed_positions_are_stored_or_refused();
  void contrast_buttons_redraw_the_picture_with_its_marks();
  void keyboard_escape_and_focus_after_automatic();
  void messages_belong_to_the_window_that_asks();
  void whole_captions_and_a_file_that_is_not_fits();
};

void ObserverInputTest::drops_open_frames_and_make_their_folder_current() {
  std::filesystem::create_directory(dir_->file("night"));
  const std::string first = frame(*dir_, "night/a.fit"), second = frame(*dir_, "night/b.fit");
  Program& p = start();
  drop_file(p.box(1), first);                    // the Range box takes no file address as text
  QCOMPARE(p.workspace.frame.file_path, first);  // the first of the files dropped
  QVERIFY(p.ui.messages.empty());
  QVERIFY(!p.text(1).contains("file:"));
  QCOMPARE(p.workspace.current_folder, dir_->file("night"));
  drop_file(p.window.image_window(), second);
  QCOMPARE(p.workspace.frame.file_path, second);
  // The folder windows start in the frame's folder and say which folder that is.
  p.action("utility_menu_continuous_composite")->trigger();
  auto* window = p.window.findChild<orvane::ui::FolderWindow*>("Form21");
  QCOMPARE(window->findChild<QLabel*>("folder_line")->text().toStdString(), dir_->file("night"));
  QCOMPARE(window->findChild<QPlainTextEdit*>("Text1")->toPlainText(), QString("a.fit\nb.fit\n"));
}

void ObserverInputTest::typed_positions_are_stored_or_refused() {
  Program& p = start(frame(*dir_, "a.fit"));
  QLineEdit* comparison_x = p.window.panel()->position_x_box(1);
  comparison_x->setFocus();
  QTest::keyClicks(comparison_x, "20");
  QTest::keyClick(comparison_x, Qt::Key_Return);
  QCOMPARE(p.workspace.positions[1].x, 20);
  comparison_x->selectAll();
  QTest::keyClicks(comparison_x, "2x");
  QTest::keyClick(comparison_x, Qt::Key_Return);
  QCOMPARE(p.workspace.positions[1].x, 20);
  QCOMPARE(comparison_x->text(), QString(" 20"));
  QCOMPARE(p.ui.message_texts().back(),
           std::string("\"2x\" is not a position: type a whole number from 0 to 5500"));
}

void ObserverInputTest::contrast_buttons_redraw_the_picture_with_its_marks() {
  Program& p = start(frame(*dir_, "a.fit"));
  orvane::ui::ImageWindow* window = p.window.image_window();
  p.window.set_position(1, {20, 15});
  p.click("Command7");  // "Cross on": the marks and their letters are drawn
  const std::uint32_t mark = window->picture()->pixel(23, 15);  // on the aperture circle
  QCOMPARE(mark, orvane::display::kProfileGreen);
  const std::uint32_t sky = window->picture()->pixel(35, 25);
  p.click("Command2");  // range "-": the sky brightens at once, the marks stay
  QCOMPARE(p.window.image_window(), window);
  QVERIFY(window->picture()->pixel(35, 25) != sky);
  QCOMPARE(window->picture()->pixel(23, 15), mark);
}

void ObserverInputTest::keyboard_escape_and_focus_after_automatic() {
  frame(*dir_, "a.fit");
  Program& p = start();
  p.action("file_menu_open")->trigger();
  auto* dialog = p.window.findChild<QWidget*>("Form2");
  dialog->show();
  QTest::keyClick(dialog, Qt::Key_Escape);
  QVERIFY(!dialog->isVisible());

  p.action("photometry_menu_automatic")->trigger();
  p.window.findChild<QWidget*>("Form7")->findChild<QPushButton*>("Command1")->click();
  p.click("Command9");  // "End of Auto"
  QVERIFY(qobject_cast<QPushButton*>(p.window.focusWidget()) != nullptr);
}

void ObserverInputTest::messages_belong_to_the_window_that_asks() {
  orvane::test::write_bytes(dir_->file("mag_est.txt"),
                            "14/03/26 21:00:00 060 Check=008.00 Comp=007.50 Var=007.75 a.fit\r\n");
  Program& p = start();
  // The comparison star's details are typed once: the light curve starts from them.
  auto* details = p.window.findChild<QWidget*>("Form23");
  details->findChild<QLineEdit*>("Text1")->setText("UMAZ");
  details->findChild<QLineEdit*>("Text2")->setText("9.5");
  details->findChild<QPushButton*>("Command1")->click();
  p.window.open_light_curve(dir_->file("mag_est.txt"));
  orvane::ui::LightCurveWindow* curve = p.window.light_curve_window();
  QCOMPARE(curve->findChild<QLineEdit*>("Text2")->text(), QString("UMAZ"));
  QCOMPARE(curve->findChild<QLineEdit*>("Text1")->text(), QString("9.5"));
  p.ui.answers = {false};
  curve->findChild<QPushButton*>("Command1")->click();  // "Save to 'mag_est.txt'" asks first
  QCOMPARE(p.ui.questions.back().asking, static_cast<const void*>(static_cast<QWidget*>(curve)));
}

void ObserverInputTest::whole_captions_and_a_file_that_is_not_fits() {
  const QString long_path = "/start/" + QString(1000, 'x') + "/night_0001.fit";
  orvane::ui::FrameChoiceWindow long_choice(long_path, nullptr);
  QVERIFY(long_choice.windowTitle().startsWith("/start/"));
  QVERIFY(long_choice.windowTitle().endsWith("/night_0001.fit"));
  QVERIFY(long_choice.windowTitle().size() < long_path.size());

  orvane::test::write_bytes(dir_->file("notes.fit"), "observing log, not a frame");
  Program& p = start();
  p.action("file_menu_open")->trigger();
  auto* dialog = p.window.findChild<QWidget*>("Form2");
  dialog->findChild<QLineEdit*>("Text1")->setText(QString::fromStdString(dir_->file("notes.fit")));
  dialog->findChild<QPushButton*>("Command1")->click();
  QCOMPARE(p.ui.message_texts(),
           std::vector<std::string>{dir_->file("notes.fit") +
                                    ": not a FITS file (it does not begin with a SIMPLE card)"});
}

QTEST_MAIN(ObserverInputTest)
#include "observer_input_test.moc"
