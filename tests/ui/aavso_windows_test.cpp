// The AAVSO report dialog and the header-times window: each wired to its logic, one case each.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QtTest>

#include "core/fits_reader.h"
#include "program.h"
#include "support/fits_builder.h"
#include "ui/aavso_report_window.h"
#include "ui/header_times_window.h"

using orvane::test::FitsBuilder;
using orvane::test::read_bytes;

namespace {

// RZ Cas pointed from 35.68 N 139.74 E; its record at 21:04:10 UT with 30 s gives HJD
// 2460325.380479 and air mass 3.634 (the reference row of the time module).
std::string rz_cas_frame(const orvane::test::TempDir& dir) {
  return FitsBuilder::image(16, 2, 2)
      .add("OBJCTRA", "'02 48 55.51'")
      .add("OBJCTDEC", "'+69 38 03.4'")
      .add("SITELAT", "35.68")
      .add("SITELONG", "139.74")
      .add_raw("DATE-OBS= '2024-01-15T21:04:10'")
      .add("EXPTIME", "30")
      .end()
      .u16({0, 0, 0, 0})
      .pad()
      .write(dir.file("rz_001.fit"));
}

}  // namespace

class AavsoWindowsTest : public QObject, orvane::test::ProgramRuns {
  Q_OBJECT

 private slots:
  void init() { new_folder(); }
  void cleanup() { end_runs(); }

  void report_dialog_previews_checks_and_saves() {
    orvane::test::Program& p = start();
    const std::string frame = rz_cas_frame(*dir_);
    const auto data = orvane::lightcurve::parse_light_curve(
        {"2024-01-15 21:04:10 030 Check=012.35 Comp=011.22 Var=013.46 " + frame});
    orvane::ui::AavsoReportWindow dialog(p.workspace, p.ui, data);
    const auto set = [&](const char* key, const std::string& text) {
      dialog.findChild<QLineEdit*>(QString("aavso_") + key)->setText(QString::fromStdString(text));
    };
    set("OBSCODE", "XYZ");
    set("STARID", "RZ CAS");
    set("COMPMAG", "10");
    set("CNAME", "110");
    set("KNAME", "118");
    set("CHART", "X36483DQK");
    set("FILE", dir_->file("aavso.txt"));
    set("BAND", "O");
    dialog.findChild<QComboBox*>("aavso_DATE")->setCurrentText("HJD");
    QVERIFY(!dialog.save_button()->isEnabled());
    QVERIFY(dialog.problems()->toPlainText().contains("line 7: FILTER:"));
    set("BAND", "V");
    QVERIFY(dialog.save_button()->isEnabled());
    const QString line =
        "RZ CAS,2460325.38048,12.229,na,V,NO,STD,110,11.262,118,12.386,3.634,na,X36483DQK,"
        "|CREFMAG=10.000";
    QCOMPARE(dialog.preview()->toPlainText().split('\n').value(6), line);
    dialog.save_button()->click();
    QVERIFY(QString::fromStdString(read_bytes(dir_->file("aavso.txt"))).contains(line + "\r\n"));
    QVERIFY(read_bytes(dir_->file("orvane-aavso.ini")).find("OBSCODE=XYZ\r\n") !=
            std::string::npos);
  }

  void header_times_follow_the_frame_read() {
    orvane::test::Program& p = start();
    QVERIFY(orvane::core::fits_read(p.workspace.frame, rz_cas_frame(*dir_)));
    p.action("display_menu_header_times")->trigger();
    auto* table = p.window.findChild<QTableWidget*>("header_times_table");
    QVERIFY(table != nullptr);
    QCOMPARE(table->item(5, 0)->text(), QString("hjd"));
    QCOMPARE(table->item(5, 1)->text(), QString("2460325.38048"));
  }
};

QTEST_MAIN(AavsoWindowsTest)
#include "aavso_windows_test.moc"
