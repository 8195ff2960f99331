// The drawing surface every picture of the program uses.
#include <QSignalSpy>
#include <QtTest>

#include "display/rgb_image.h"
#include "ui/picture_box.h"

using orvane::display::grey;
using orvane::display::rgb;
using orvane::ui::PictureBox;

class PictureBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void drawing_stays_and_outside_is_dropped();
  void mouse_positions_in_twips_or_the_user_scale();
};

void PictureBoxTest::drawing_stays_and_outside_is_dropped() {
  PictureBox box;
  box.reset_canvas(20, 10, grey(0));
  box.set_pixel(3, 4, rgb(0, 200, 0));
  box.set_pixel(20, 4, rgb(255, 0, 0));  // one past the right edge: dropped
  box.set_pixel(-1, 0, rgb(255, 0, 0));
  box.fill_box(10, 2, 13, 5, grey(255));
  box.line(0, 9, 19, 9, rgb(0, 0, 255));
  box.refresh();
  // Painting the widget draws what the canvas holds and keeps it.
  const QImage shown = box.grab().toImage();
  QCOMPARE(shown.pixel(3, 4), rgb(0, 200, 0));
  QCOMPARE(box.pixel(3, 4), rgb(0, 200, 0));
  QCOMPARE(box.pixel(11, 3), grey(255));
  QCOMPARE(box.pixel(9, 3), grey(0));
  QCOMPARE(box.pixel(5, 9), rgb(0, 0, 255));
  QCOMPARE(box.pixel(19, 4), grey(0));
  box.clear(grey(7));
  QCOMPARE(box.pixel(3, 4), grey(7));
}

void PictureBoxTest::mouse_positions_in_twips_or_the_user_scale() {
  PictureBox box;
  box.reset_canvas(210, 210);
  QSignalSpy down(&box, &PictureBox::mouse_down);
  QSignalSpy twice(&box, &PictureBox::double_clicked);
  QTest::mouseClick(&box, Qt::LeftButton, Qt::ShiftModifier, QPoint(2, 3));
  QTest::mouseClick(&box, Qt::RightButton, Qt::NoModifier, QPoint(10, 1));
  QCOMPARE(down.count(), 2);
  // Button, Shift, x and y: 2 and 3 pixels of 15 twips.
  QCOMPARE(down[0], (QList<QVariant>{QVariant::fromValue(Qt::LeftButton), true, 30.0, 45.0}));
  QCOMPARE(down[1][0].value<Qt::MouseButton>(), Qt::RightButton);
  QTest::mouseDClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
  QCOMPARE(twice.count(), 1);
  QCOMPARE(twice[0][2].toDouble(), 15.0);

  // 21 units over 210 pixels, as the magnifier sets it: 10 pixels a unit.
  box.set_user_scale(0, 0, 21, 21);
  QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(105, 50));
  QCOMPARE(down.last()[2].toDouble(), 10.5);
  QCOMPARE(down.last()[3].toDouble(), 5.0);
  // Unit cell (2, 1) spans pixels 20..29, 10..19.
  box.fill_box(2, 1, 3, 2, grey(200));
  QCOMPARE(box.pixel(25, 15), grey(200));
  QCOMPARE(box.pixel(31, 15), grey(0));
}

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"
