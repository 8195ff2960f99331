// The desktop program's progress window "Form8" shown through the user-interface seam.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "ui/qt_user_interface.h"

using orvane::ui::QtUserInterface;

class ProgressWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opens_centred_and_modal_and_follows_the_run();
  void cancel_asks_the_run_to_stop_and_done_closes_it();

 private:
  static QDialog* progress_window() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == "Form8" && w->isVisible()) return qobject_cast<QDialog*>(w);
    }
    return nullptr;
  }
};

void ProgressWindowTest::opens_centred_and_modal_and_follows_the_run() {
  QtUserInterface ui;
  QVERIFY(progress_window() == nullptr);
  QVERIFY(ui.progress("Progress DARK", ""));
  QDialog* window = progress_window();
  QVERIFY(window != nullptr);
  QCOMPARE(window->windowTitle(), QString("Progress DARK"));
  QCOMPARE(window->windowModality(), Qt::ApplicationModal);
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  QVERIFY((window->frameGeometry().center() - centre).manhattanLength() <= 2);

  // Later calls of the same run update the same window.
  QVERIFY(ui.progress("Progress 1", "/night/a.fit"));
  QCOMPARE(progress_window(), window);
  QCOMPARE(window->windowTitle(), QString("Progress 1"));
  QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QString("/night/a.fit"));
}

void ProgressWindowTest::cancel_asks_the_run_to_stop_and_done_closes_it() {
  QtUserInterface ui;
  QVERIFY(ui.progress("Progress FLAT", ""));
  QPushButton* cancel = progress_window()->findChild<QPushButton*>("Command1");
  QVERIFY(cancel != nullptr);
  QTest::mouseClick(cancel, Qt::LeftButton);
  QVERIFY(!ui.progress("Progress 2", "/night/b.fit"));
  ui.progress_done();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(progress_window() == nullptr);

  // The next run opens a fresh window that has not been cancelled.
  QVERIFY(ui.progress("Progress Auto Composite", "/night/c.fit"));
  ui.progress_done();
}

QTEST_MAIN(ProgressWindowTest)
#include "progress_window_test.moc"
