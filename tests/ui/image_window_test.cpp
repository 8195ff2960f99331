#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>
#include <memory>

#include "core/fits_reader.h"
#include "display/render.h"
#include "support/fits_builder.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"
#include "ui/header_window.h"
#include "ui/image_window.h"
#include "ui/magnifier_window.h"

using orvane::core::SettingsWindow;
using orvane::core::WindowPosition;
using orvane::display::grey;
using orvane::ui::ImageWindow;
using orvane::ui::PictureBox;
using orvane::ui::Workspace;

namespace {

constexpr std::uint32_t kMarker = orvane::display::rgb(255, 0, 255);

// A workspace over a temporary folder whose w x h frame holds v(x, y); range 256 from
// background 0 draws value v as grey v.
struct Fixture {
  Fixture(int w, int h, int (*v)(int, int), int scale = 1) {
    auto& frame = workspace.frame;
    frame.width = w;
    frame.height = h;
    frame.file_path = dir.file("m42 night.fts");
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) frame.pixels.at(x, y) = v(x, y);
    frame.max_value = v(w - 1, h - 1);
    workspace.display.range = 256;
    workspace.display.display_scale = scale;
  }
  std::unique_ptr<ImageWindow> open_image_window() {
    auto window = std::make_unique<ImageWindow>(workspace, ui);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qFatal("image window not exposed");
    return window;
  }

  orvane::test::TempDir dir;
  Workspace workspace{dir.file("orvane.ini"), dir.path().string()};
  orvane::test::ScriptedUserInterface ui;
};

constexpr auto ten_y_plus_x = [](int x, int y) { return 10 * y + x; };
constexpr auto x_plus_4y = [](int x, int y) { return x + 4 * y; };

}  // namespace

class ImageWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void canvas_is_the_render_and_the_window_fits_it();
  void clicks_are_routed_by_button_and_shift();
  void left_click_moves_the_profile_line();
  void magnifier_paints_only_cells_of_the_frame();
  void header_window_shows_one_card_a_line();
};

void ImageWindowTest::canvas_is_the_render_and_the_window_fits_it() {
  // 9 x 5 at scale 4 is 3 x 2; display (0, 0) shows the last pixel of its block, (3, 3).
  Fixture f(9, 5, ten_y_plus_x, 4);
  ImageWindow window(f.workspace, f.ui);
  PictureBox* picture = window.picture();
  QCOMPARE(window.windowTitle().toStdString(), f.workspace.frame.file_path);
  QCOMPARE(QSize(picture->canvas_width(), picture->canvas_height()), QSize(3, 2));
  QCOMPARE(picture->pixel(0, 0), grey(33));
  orvane::display::DisplayState state = f.workspace.display;
  QVERIFY(picture->picture().pixels == orvane::display::render(f.workspace.frame, state).pixels);
  QCOMPARE(f.ui.busy_depth, 0);
  const int frame = 2 * window.findChild<QScrollArea*>("scroll")->frameWidth();
  QCOMPARE(window.size(), QSize(3 + frame, 2 + frame));

  // Wider than any screen, 100 rows high: the width is cut and a horizontal bar added, while
  // every row stays in view.
  Fixture wide(3000, 100, [](int x, int) { return x % 256; });
  auto shown = wide.open_image_window();
  QVERIFY(shown->width() <= shown->screen()->availableGeometry().width());
  auto* scroll = shown->findChild<QScrollArea*>("scroll");
  QVERIFY(scroll->horizontalScrollBar()->isVisible());
  QVERIFY(!scroll->verticalScrollBar()->isVisible());
}

void ImageWindowTest::clicks_are_routed_by_button_and_shift() {
  // Twips to frame: X = 22 at scale 1 is floor(22 / 15 + 0.5) = floor(1.97) = 1.
  QCOMPARE(ImageWindow::frame_coordinate(22, 1), 1);

  Fixture f(64, 48, x_plus_4y, 4);
  auto window = f.open_image_window();
  PictureBox* picture = window->picture();
  QSignalSpy toggle(window.get(), &ImageWindow::magnifier_toggle_requested);
  QSignalSpy bow(window.get(), &ImageWindow::bow_point_requested);
  QSignalSpy position(window.get(), &ImageWindow::position_window_requested);
  const QPoint at(5, 6);  // frame (20, 24) at scale 4

  QTest::mouseClick(picture, Qt::LeftButton, {}, at);
  QCOMPARE(toggle.count(), 1);
  QTest::mouseClick(picture, Qt::LeftButton, Qt::ShiftModifier, at);
  QCOMPARE(bow.count(), 1);
  QCOMPARE(bow.at(0), (QList<QVariant>{20, 24}));
  QTest::mouseClick(picture, Qt::RightButton, {}, at);
  QCOMPARE(position.count(), 1);
  QCOMPARE(position.at(0), (QList<QVariant>{20, 24, picture->mapToGlobal(at)}));

  // Shift + right copies the picture, at its display size, as an image only.
  QGuiApplication::clipboard()->setText("old");
  QTest::mouseClick(picture, Qt::RightButton, Qt::ShiftModifier, at);
  const QImage copied = QGuiApplication::clipboard()->image();
  QCOMPARE(copied.size(), QSize(16, 12));
  QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), picture->image());
  QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
  QCOMPARE(toggle.count() + bow.count() + position.count(), 3);
}

void ImageWindowTest::left_click_moves_the_profile_line() {
  // 64 x 48 at scale 2 (32 x 24 display pixels); the render puts the line on row 24, display
  // row 12.
  Fixture f(64, 48, x_plus_4y, 2);
  f.workspace.display.line_mode = 1;
  auto window = f.open_image_window();
  PictureBox* picture = window->picture();
  QCOMPARE(picture->pixel(7, 12), orvane::display::kProfileGreen);
  QSignalSpy moved(window.get(), &ImageWindow::profile_row_moved);
  QSignalSpy position(window.get(), &ImageWindow::position_window_requested);
  QSignalSpy toggle(window.get(), &ImageWindow::magnifier_toggle_requested);

  // Widget y 7 is frame row floor(105 * 2 / 15 + 0.5) = 14, display row 7.
  QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(3, 7));
  QCOMPARE(moved.count(), 1);
  QCOMPARE(moved.at(0).at(0).toInt(), 14);
  QCOMPARE(f.workspace.display.line_row, 14);
  QCOMPARE(picture->pixel(0, 7), orvane::display::kProfileGreen);
  QCOMPARE(picture->pixel(31, 7), orvane::display::kProfileGreen);
  // The old row is redrawn (the order of its columns is worked out in the render tests): display
  // column 5 shows frame pixel (10, 24) = 10 + 96.
  QCOMPARE(picture->pixel(5, 12), grey(106));

  // Right clicks do nothing while the line is shown.
  const QImage before = picture->image();
  QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(3, 7));
  QTest::mouseClick(picture, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 7));
  QCOMPARE(position.count() + toggle.count() + moved.count(), 1);
  QCOMPARE(picture->image(), before);
}

// Which cells are painted is worked out in the magnifier's own tests; here the window paints
// a whole cell per pixel and keeps what lies outside the frame.
void ImageWindowTest::magnifier_paints_only_cells_of_the_frame() {
  using orvane::ui::MagnifierWindow;
  constexpr int kCell = MagnifierWindow::kCellPixels;
  Fixture f(8, 6, ten_y_plus_x);
  MagnifierWindow magnifier(f.workspace);
  PictureBox* picture = magnifier.picture();

  // Mouse on the last column 7, row 2: column 8 (the store's spare column, 0) is painted,
  // 9.. are not.
  picture->clear(kMarker);
  magnifier.paint_around(7, 2);
  for (int y = 10 * kCell; y < 11 * kCell; ++y)
    for (int x = 10 * kCell; x < 11 * kCell; ++x) QCOMPARE(picture->pixel(x, y), grey(27));
  QCOMPARE(picture->pixel(11 * kCell + 5, 10 * kCell + 5), grey(0));
  QCOMPARE(picture->pixel(12 * kCell, 10 * kCell), kMarker);

  // The title bar's close clears the flag as the program's own close does.
  f.workspace.magnifier_shown = 1;
  magnifier.open();
  magnifier.close();
  QVERIFY(!magnifier.isVisible());
  QCOMPARE(f.workspace.magnifier_shown, 0);
}

void ImageWindowTest::header_window_shows_one_card_a_line() {
  Fixture f(1, 1, ten_y_plus_x);
  const std::string path = f.dir.file("header.fts");
  orvane::test::FitsBuilder::image(16, 2, 2).end().i16({1, 2, 3, 4}).pad().write(path);
  QVERIFY(orvane::core::fits_read(f.workspace.frame, path).ok());

  orvane::ui::HeaderWindow header(f.workspace);
  header.show();
  QVERIFY(QTest::qWaitForWindowExposed(&header));
  QCOMPARE(header.windowTitle().toStdString(), path);
  auto* text = header.findChild<QPlainTextEdit*>("Text1");
  // 6 cards padded to one block of 36, each ended by CR LF: the last CR LF opens a 37th,
  // empty line.
  const QTextDocument* document = text->document();
  QCOMPARE(document->blockCount(), 37);
  QCOMPARE(document->findBlockByNumber(0).text().toStdString(),
           orvane::test::FitsBuilder::card("SIMPLE", "T"));
  QCOMPARE(document->findBlockByNumber(35).text(), QString(80, ' '));
  QCOMPARE(document->findBlockByNumber(36).text(), QString());
  // A card fits the default width.
  QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
}

QTEST_MAIN(ImageWindowTest)
#include "image_window_test.moc"
