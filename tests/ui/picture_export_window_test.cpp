// "Save to BMP,JPEG": the picture shown again at full scale, the export window's proposals, the
// bitmap and the JPEG it writes, and a failed write that keeps the window open.
#include <QCheckBox>
#include <QPointer>
#include <QtTest>
#include <filesystem>

#include "program.h"
#include "support/fits_builder.h"
#include "ui/image_window.h"
#include "ui/picture_export_window.h"

using orvane::test::FitsBuilder;
using orvane::test::Program;
using orvane::ui::PictureExportWindow;

class PictureExportWindowTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

  PictureExportWindow* open_window(Program& p) {
    p.action("file_menu_save_bmp")->trigger();
    return p.window.findChild<PictureExportWindow*>("Form19");
  }

 private slots:
  void init() { new_folder(); }
  void cleanup() { end_runs(); }
  void refuses_without_a_frame();
  void writes_the_bitmap_and_the_jpeg_of_the_picture();
};

void PictureExportWindowTest::refuses_without_a_frame() {
  Program& p = start();
  QVERIFY(open_window(p) == nullptr);
  QCOMPARE(p.ui.message_texts().back(), std::string("You do not open the data file"));
}

void PictureExportWindowTest::writes_the_bitmap_and_the_jpeg_of_the_picture() {
  std::vector<int> values(6 * 4);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = int(100 * i);
  Program& p =
      start(FitsBuilder::image(16, 6, 4).end().u16(values).pad().write(dir_->file("m31.fit")));
  p.action("display_menu_image_12")->trigger();
  QPointer<PictureExportWindow> form = open_window(p);
  QVERIFY(p.action("display_menu_image")->isChecked());
  const orvane::display::RgbImage& shown = p.window.image_window()->picture()->picture();
  QCOMPARE(shown.width, 6);  // full scale again
  QCOMPARE(form->findChild<QLineEdit*>("Text1")->text(), QString("m31.bmp"));
  // Without "Addition Jpeg File" only the bitmap, the picture pixel for pixel.
  form->findChild<QPushButton*>("Command1")->click();
  QVERIFY(!form || !form->isVisible());
  const QImage bitmap(QString::fromStdString(dir_->file("m31.bmp")));
  QCOMPARE(bitmap.size(), QSize(6, 4));
  for (int i = 0; i < 24; ++i) QCOMPARE(bitmap.pixel(i % 6, i / 6), shown.at(i % 6, i / 6));
  QVERIFY(!std::filesystem::exists(dir_->file("m31.jpg")));

  form = open_window(p);
  form->findChild<QCheckBox*>("Check1")->setChecked(true);
  QVERIFY(form->findChild<QLineEdit*>("Text2")->isEnabled());
  form->findChild<QLineEdit*>("Text2")->setText("99.6");
  QCOMPARE(form->quality(), 100);
  form->findChild<QLineEdit*>("Text1")->setText("none/m31.bmp");  // no such folder
  form->findChild<QPushButton*>("Command1")->click();
  QVERIFY(QString::fromStdString(p.ui.message_texts().back())
              .contains(dir_->file("none/m31.bmp").c_str()));
  QVERIFY(form->isVisible());
  form->findChild<QLineEdit*>("Text1")->setText("m31b.bmp");
  form->findChild<QPushButton*>("Command1")->click();
  QCOMPARE(QImage(QString::fromStdString(dir_->file("m31b.jpg"))).size(), QSize(6, 4));
}

QTEST_MAIN(PictureExportWindowTest)
#include "picture_export_window_test.moc"
