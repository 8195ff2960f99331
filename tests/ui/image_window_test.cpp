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

int ten_y_plus_x(int x, int y) {
  return 10 * y + x;
}
int x_plus_4y(int x, int y) {
  return x + 4 * y;
}

}  // namespace

class ImageWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void canvas_is_the_render_at_each_scale_data();
  void canvas_is_the_render_at_each_scale();
  void window_fits_the_picture_or_the_screen();
  void mouse_reports_the_frame_position();
  void clicks_are_routed_by_button_and_shift();
  void left_click_moves_the_profile_line();
  void closing_stores_the_place();
  void magnifier_paints_only_cells_of_the_frame();
  void header_window_shows_one_card_a_line();
};

void ImageWindowTest::canvas_is_the_render_at_each_scale_data() {
  QTest::addColumn<int>("scale");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<int>("corner");  // grey of display pixel (0, 0): last pixel of its block
  QTest::newRow("9 x 5 at 1 is 9 x 5") << 1 << QSize(9, 5) << 0;
  QTest::newRow("9 x 5 at 2 is 5 x 3, (0,0) shows (1,1)") << 2 << QSize(5, 3) << 11;
  QTest::newRow("9 x 5 at 4 is 3 x 2, (0,0) shows (3,3)") << 4 << QSize(3, 2) << 33;
}

void ImageWindowTest::canvas_is_the_render_at_each_scale() {
  QFETCH(int, scale);
  QFETCH(QSize, size);
  QFETCH(int, corner);
  Fixture f(9, 5, ten_y_plus_x, scale);
  ImageWindow window(f.workspace, f.ui);

  auto* picture = window.findChild<orvane::ui::PictureBox*>("Picture1");
  QVERIFY(picture != nullptr);
  QCOMPARE(window.objectName(), QString("Form4"));
  QCOMPARE(window.windowTitle().toStdString(), f.workspace.frame.file_path);
  QCOMPARE(QSize(picture->canvas_width(), picture->canvas_height()), size);
  QCOMPARE(picture->pixel(0, 0), grey(corner));
  orvane::display::DisplayState state = f.workspace.display;
  QVERIFY(picture->picture().pixels == orvane::display::render(f.workspace.frame, state).pixels);
  QCOMPARE(f.ui.busy_depth, 0);
}

void ImageWindowTest::window_fits_the_picture_or_the_screen() {
  Fixture small(9, 5, ten_y_plus_x);
  ImageWindow fitting(small.workspace, small.ui);
  auto* scroll = fitting.findChild<QScrollArea*>("scroll");
  const int frame = 2 * scroll->frameWidth();
  QCOMPARE(fitting.size(), QSize(9 + frame, 5 + frame));

  // Wider than any screen, 100 rows high: the width is cut and a horizontal bar added, while
  // every row stays in view.
  Fixture wide(3000, 100, [](int x, int) { return x % 256; });
  auto window = wide.open_image_window();
  const QRect screen = window->screen()->availableGeometry();
  QVERIFY(window->width() <= screen.width());
  scroll = window->findChild<QScrollArea*>("scroll");
  QVERIFY(scroll->horizontalScrollBar()->isVisible());
  QVERIFY(!scroll->verticalScrollBar()->isVisible());
}

void ImageWindowTest::mouse_reports_the_frame_position() {
  // Twips to frame: X = 22 at scale 1 is floor(22 / 15 + 0.5) = floor(1.97) = 1.
  QCOMPARE(ImageWindow::frame_coordinate(22, 1), 1);

  // At scale 4, display pixel (10, 3) is the first frame pixel of its block, (40, 12).
  Fixture f(64, 48, x_plus_4y, 4);
  auto window = f.open_image_window();
  QSignalSpy moved(window.get(), &ImageWindow::cursor_moved);
  QTest::mouseMove(window->picture(), QPoint(10, 3));
  QTRY_COMPARE(moved.count(), 1);
  QCOMPARE(moved.at(0), (QList<QVariant>{40, 12}));
}

void ImageWindowTest::clicks_are_routed_by_button_and_shift() {
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
  QCOMPARE(position.at(0).at(0).toInt(), 20);
  QCOMPARE(position.at(0).at(1).toInt(), 24);
  QCOMPARE(position.at(0).at(2).toPoint(), picture->mapToGlobal(at));

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
  QCOMPARE(f.workspace.display.line_row, 24);
  QCOMPARE(picture->pixel(7, 12), orvane::display::kProfileGreen);
  QSignalSpy moved(window.get(), &ImageWindow::profile_row_moved);
  QSignalSpy position(window.get(), &ImageWindow::position_window_requested);
  QSignalSpy toggle(window.get(), &ImageWindow::magnifier_toggle_requested);

  // Widget y 7 is frame row floor(105 * 2 / 15 + 0.5) = 14, display row 7.
  QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(3, 7));
  QCOMPARE(moved.count(), 1);
  QCOMPARE(moved.at(0).at(0).toInt(), 14);
  QCOMPARE(f.workspace.display.line_row, 14);
  for (int d = 0; d < 32; ++d) {
    QCOMPARE(picture->pixel(d, 7), orvane::display::kProfileGreen);
    // The old row is redrawn column by column: frame columns 2d - 1 and 2d both land on
    // display column d, the later one, (2d, 24) = 2d + 96, stays.
    QCOMPARE(picture->pixel(d, 12), grey(2 * d + 96));
  }

  const QImage before = picture->image();
  QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(3, 7));
  QTest::mouseClick(picture, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 7));
  QCOMPARE(position.count() + toggle.count() + moved.count(), 1);
  QCOMPARE(picture->image(), before);
}

void ImageWindowTest::closing_stores_the_place() {
  Fixture f(9, 5, ten_y_plus_x);
  f.workspace.settings.set_position(SettingsWindow::kForm4, {1500, 1200});
  auto window = f.open_image_window();
  QCOMPARE(window->pos(), QPoint(100, 80));
  QSignalSpy unloading(window.get(), &ImageWindow::unloading);

  window->move(200, 150);
  QVERIFY(window->close());
  QCOMPARE(unloading.count(), 1);
  QCOMPARE(f.workspace.settings.position(SettingsWindow::kForm4), (WindowPosition{3000, 2250}));
}

void ImageWindowTest::magnifier_paints_only_cells_of_the_frame() {
  using orvane::ui::MagnifierWindow;
  constexpr int kCell = MagnifierWindow::kCellPixels;
  Fixture f(8, 6, ten_y_plus_x);
  MagnifierWindow magnifier(f.workspace);
  QCOMPARE(magnifier.windowTitle(), QString(" 20 x 20 Flame"));
  PictureBox* picture = magnifier.picture();
  const auto cell = [&](int k, int l) {
    return picture->pixel(k * kCell + kCell / 2, l * kCell + kCell / 2);
  };

  // Mouse on (3, 3): cells 0..6 stand for columns and rows -7..-1.
  picture->clear(kMarker);
  magnifier.paint_around(3, 3);
  for (int i = 0; i < 7; ++i) {
    for (int j = 0; j < 21; ++j) {
      QCOMPARE(cell(i, j), kMarker);
      QCOMPARE(cell(j, i), kMarker);
    }
  }
  for (int y = 10 * kCell; y < 11 * kCell; ++y)
    for (int x = 10 * kCell; x < 11 * kCell; ++x) QCOMPARE(picture->pixel(x, y), grey(33));
  QCOMPARE(cell(7, 7), grey(0));     // pixel (0, 0)
  QCOMPARE(cell(14, 12), grey(57));  // pixel (7, 5)

  // Mouse on the last column 7: column 8 (the store's spare column, 0) is painted, 9.. not.
  picture->clear(kMarker);
  magnifier.paint_around(7, 2);
  QCOMPARE(cell(10, 10), grey(27));
  QCOMPARE(cell(11, 10), grey(0));
  for (int k = 12; k < 21; ++k) QCOMPARE(cell(k, 10), kMarker);

  // Open and close keep the place; the title bar's close also clears the flag.
  f.workspace.magnifier_shown = 1;
  magnifier.open();
  magnifier.move(300, 60);
  magnifier.close_window();
  QVERIFY(!magnifier.isVisible());
  QCOMPARE(f.workspace.settings.position(SettingsWindow::kForm6), (WindowPosition{4500, 900}));
  magnifier.open();
  QCOMPARE(magnifier.pos(), QPoint(300, 60));
  magnifier.close();
  QCOMPARE(f.workspace.magnifier_shown, 0);
}

void ImageWindowTest::header_window_shows_one_card_a_line() {
  Fixture f(1, 1, ten_y_plus_x);
  const std::string path = f.dir.file("header.fts");
  orvane::test::FitsBuilder::image(16, 2, 2).end().i16({1, 2, 3, 4}).pad().write(path);
  QVERIFY(orvane::core::fits_read(f.workspace.frame, path).ok());
  QCOMPARE(f.workspace.frame.header_card_count, 36);  // 6 cards padded to one block of 36

  orvane::ui::HeaderWindow header(f.workspace);
  header.show();
  QVERIFY(QTest::qWaitForWindowExposed(&header));
  QCOMPARE(header.windowTitle().toStdString(), path);
  auto* text = header.findChild<QPlainTextEdit*>("Text1");
  QVERIFY(text != nullptr);
  // 36 cards, each ended by CR LF: the last CR LF opens a 37th, empty block.
  const QTextDocument* document = text->document();
  QCOMPARE(document->blockCount(), 37);
  QCOMPARE(document->findBlockByNumber(0).text().toStdString(),
           orvane::test::FitsBuilder::card("SIMPLE", "T"));
  QCOMPARE(document->findBlockByNumber(35).text(), QString(80, ' '));
  QCOMPARE(document->findBlockByNumber(36).text(), QString());
  // A card fits the default width.
  QCOMPARE(text->horizontalScrollBar()->maximum(), 0);

  QCOMPARE(text->geometry(), header.rect());
  header.resize(300, 200);
  QCOMPARE(text->geometry(), QRect(0, 0, 300, 200));
}

QTEST_MAIN(ImageWindowTest)
#include "image_window_test.moc"
