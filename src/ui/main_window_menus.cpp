// The menu bar of the main window: every item with its historical name and caption, the radio
// groups, and the routing of each command.
#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QShortcut>

#include "ui/binning_menu.h"
#include "ui/bow_menu.h"
#include "ui/file_dialog.h"
#include "ui/histogram_window.h"
#include "ui/main_window.h"
#include "ui/picture_export_menu.h"
#include "ui/processing_menu.h"

namespace orvane::ui {
namespace {

// Checkable items of one radio group: choosing one unchecks the others.
QActionGroup* radio_group(QObject* parent, std::initializer_list<QAction*> actions,
                          QAction* checked) {
  auto* group = new QActionGroup(parent);
  group->setExclusive(true);
  for (QAction* action : actions) {
    action->setCheckable(true);
    group->addAction(action);
  }
  checked->setChecked(true);
  return group;
}

}  // namespace

QMenu* MainWindow::add_menu(QMenu* parent, const char* name, const QString& caption) {
  QMenu* menu = parent != nullptr ? parent->addMenu(caption) : menuBar()->addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

QAction* MainWindow::add_action(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

void MainWindow::build_menus() {
  QMenu* file = add_menu(nullptr, "file_menu", "File");
  QAction* open = add_action(file, "file_menu_open", "Open");
  QAction* save = add_action(file, "file_menu_save", "Save");
  QAction* save_bmp = add_action(file, "file_menu_save_bmp", "Save to BMP,JPEG");
  QAction* exit = add_action(file, "file_menu_exit", "Exit");
  connect(exit, &QAction::triggered, this, &QWidget::close);
  connect(open, &QAction::triggered, this, [this] { show_file_dialog(FileDialogMode::kOpen); });
  connect(save, &QAction::triggered, this, [this] { show_file_dialog(FileDialogMode::kSave); });
  connect(save_bmp, &QAction::triggered, new PictureExportMenu(workspace_, *this, ui_, this),
          &PictureExportMenu::run);

  QMenu* display = add_menu(nullptr, "display_menu", "Display");
  QAction* header = add_action(display, "display_menu_header", "Header");
  QAction* header_times = add_action(display, "display_menu_header_times", "Header times");
  QAction* image = add_action(display, "display_menu_image", "Image");
  QAction* image_12 = add_action(display, "display_menu_image_12", "Image 1/2");
  QAction* image_14 = add_action(display, "display_menu_image_14", "Image 1/4");
  QAction* rotation = add_action(display, "display_menu_image_rotation", "Image rotation");
  QAction* adjust = add_action(display, "display_menu_adjust", "Contrast adjust");
  QAction* dusky = add_action(display, "display_menu_dusky_picture", "Dusky picture");
  radio_group(this, {image, image_12, image_14}, image);
  dusky->setCheckable(true);
  connect(header, &QAction::triggered, this, &MainWindow::show_header);
  connect(header_times, &QAction::triggered, this, &MainWindow::show_header_times);
  connect(image, &QAction::triggered, this, [this] { choose_scale(1); });
  connect(image_12, &QAction::triggered, this, [this] { choose_scale(2); });
  connect(image_14, &QAction::triggered, this, [this] { choose_scale(4); });
  connect(rotation, &QAction::triggered, this, &MainWindow::rotate_image);
  connect(dusky, &QAction::triggered, this, &MainWindow::toggle_dusky);
  connect(adjust, &QAction::triggered, this,
          [this] { HistogramWindow::reopen(histogram_window_, workspace_, *this, ui_, this); });

  build_photometry_menu();
  build_utility_menu();

  QAction* version = menuBar()->addAction("Ver");
  version->setObjectName("version_menu");
  connect(version, &QAction::triggered, this, &MainWindow::show_version);
  build_menu_shortcuts();
}

// Alt and the first letter opens a menu, as on every desktop, while the captions read as they
// always have (no underlined letters).
void MainWindow::build_menu_shortcuts() {
  const std::pair<const char*, Qt::Key> kMenus[] = {{"file_menu", Qt::Key_F},
                                                    {"display_menu", Qt::Key_D},
                                                    {"photometry_menu", Qt::Key_P},
                                                    {"utility_menu", Qt::Key_U}};
  for (const auto& [name, key] : kMenus) {
    auto* menu = findChild<QMenu*>(name);
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
    connect(shortcut, &QShortcut::activated, this,
            [this, menu] { menuBar()->setActiveAction(menu->menuAction()); });
  }
  auto* version = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_V), this);
  connect(version, &QShortcut::activated, this, &MainWindow::show_version);
}

void MainWindow::build_photometry_menu() {
  QMenu* photometry = add_menu(nullptr, "photometry_menu", "Photometry");
  QMenu* digit = add_menu(photometry, "photometry_menu_digit", "Digit of decimal point");
  QAction* digit2 = add_action(digit, "photometry_menu_digit2", "2digit");
  QAction* digit3 = add_action(digit, "photometry_menu_digit3", "3digit");
  radio_group(this, {digit2, digit3}, digit2);
  connect(digit2, &QAction::triggered, this, [this] { workspace_.photometry.digits = 2; });
  connect(digit3, &QAction::triggered, this, [this] { workspace_.photometry.digits = 3; });

  QMenu* position = add_menu(photometry, "photometry_menu_position", "Position");
  QAction* fix = add_action(position, "photometry_menu_position_fix", "Fixed position");
  QAction* peak = add_action(position, "photometry_menu_position_peak", "Peak cast");
  QAction* move =
      add_action(position, "photometry_menu_position_move", "Peak cast && Move position");
  radio_group(this, {fix, peak, move}, move);
  connect(fix, &QAction::triggered, this, [this] { set_position_mode(0); });
  connect(peak, &QAction::triggered, this, [this] { set_position_mode(1); });
  connect(move, &QAction::triggered, this, [this] { set_position_mode(2); });

  QMenu* aperture = add_menu(photometry, "photometry_menu_aperture", "Aperture");
  QMenu* shape = add_menu(aperture, "photometry_menu_aperture_shape", "Shape");
  QAction* circle = add_action(shape, "photometry_menu_aperture_shape_circle", "Circle");
  QAction* square = add_action(shape, "photometry_menu_aperture_shape_square", "Square");
  QAction* size = add_action(aperture, "photometry_menu_aperture_size", "Size");
  radio_group(this, {circle, square}, circle);
  connect(circle, &QAction::triggered, this, [this] { set_aperture_shape(0); });
  connect(square, &QAction::triggered, this, [this] { set_aperture_shape(1); });
  connect(size, &QAction::triggered, this, &MainWindow::show_sky_area_window);

  QMenu* int_real = add_menu(photometry, "photometry_menu_int_real", "Integral");
  QAction* integer = add_action(int_real, "photometry_menu_integer", "Integer");
  QAction* real = add_action(int_real, "photometry_menu_real", "Real");
  radio_group(this, {integer, real}, integer);
  connect(integer, &QAction::triggered, this, [this] { workspace_.photometry.sum_mode = 0; });
  connect(real, &QAction::triggered, this, [this] { workspace_.photometry.sum_mode = 1; });

  QMenu* sky = add_menu(photometry, "photometry_menu_sky", "Sky");
  QAction* sky_aperture = add_action(sky, "photometry_menu_sky_aperture", "Aperture");
  QAction* sky_median = add_action(sky, "photometry_menu_sky_median", "Median");
  radio_group(this, {sky_aperture, sky_median}, sky_median);
  connect(sky_aperture, &QAction::triggered, this, [this] { set_sky_mode(0); });
  connect(sky_median, &QAction::triggered, this, [this] { set_sky_mode(1); });

  QMenu* zone = add_menu(photometry, "photometry_menu_jst_utc", "Time Zone");
  QAction* utc = add_action(zone, "photometry_menu_jst_utc_default", "+0 hour");
  QAction* plus9 = add_action(zone, "photometry_menu_jst_utc_plus9", "+9 hour");
  radio_group(this, {utc, plus9}, utc);
  connect(utc, &QAction::triggered, this, [this] { workspace_.photometry.time_zone = 0; });
  connect(plus9, &QAction::triggered, this, [this] { workspace_.photometry.time_zone = 9; });

  QAction* comp_star =
      add_action(photometry, "photometry_menu_comp_star", "Comparison Star Magnitude");
  QAction* automatic = add_action(photometry, "photometry_menu_automatic", "Automatic");
  QAction* light_curve = add_action(photometry, "photometry_menu_light_curve", "Light Curve");
  QAction* aavso = add_action(photometry, "photometry_menu_aavso_report", "AAVSO report");
  connect(aavso, &QAction::triggered, this, &MainWindow::show_aavso_report);
  connect(comp_star, &QAction::triggered, this, &MainWindow::show_comparison_window);
  connect(light_curve, &QAction::triggered, this,
          [this] { show_file_dialog(FileDialogMode::kPhotometryData); });
  connect(automatic, &QAction::triggered, this, &MainWindow::show_automatic_folder);
}

void MainWindow::build_utility_menu() {
  QMenu* utility = add_menu(nullptr, "utility_menu", "Utility");
  QAction* undo_item = add_action(utility, "utility_menu_undo", "UnDo");
  undo_item->setEnabled(false);
  connect(undo_item, &QAction::triggered, this, &MainWindow::undo);
  QAction* dark = add_action(utility, "utility_menu_dark_subtract", "Dark Subtract");
  QAction* flat = add_action(utility, "utility_menu_flat_field", "Flat Field");
  connect(dark, &QAction::triggered, this,
          [this] { show_file_dialog(FileDialogMode::kDarkSubtract); });
  connect(flat, &QAction::triggered, this,
          [this] { show_file_dialog(FileDialogMode::kFlatField); });
  processing_menu_ = new ProcessingMenu(workspace_, *this, ui_, this);
  processing_menu_->add_items(*utility);
  QMenu* continuous = add_menu(utility, "utility_menu_continuous", "Continuous processing");
  connect(add_action(continuous, "utility_menu_continuous_dark", "Dark Subtract"),
          &QAction::triggered, this, [this] { show_file_dialog(FileDialogMode::kContinuousDark); });
  connect(add_action(continuous, "utility_menu_continuous_flat", "Flat Field"), &QAction::triggered,
          this, [this] { show_file_dialog(FileDialogMode::kContinuousFlat); });
  connect(add_action(continuous, "utility_menu_continuous_composite", "Composite"),
          &QAction::triggered, this, &MainWindow::show_composite_window);
  connect(add_action(continuous, "utility_menu_continuous_bzero", "BZERO,BSCALE Change"),
          &QAction::triggered, this, &MainWindow::show_scaling_window);
  binning_menu_ = new BinningMenu(workspace_, *this, ui_, this);
  binning_menu_->add_items(*utility);
  bow_menu_ = new BowMenu(workspace_, *this, ui_, this);
  bow_menu_->add_items(*utility);
  QAction* beep = add_action(utility, "utility_menu_beep", "Beep On");
  beep->setCheckable(true);
  connect(beep, &QAction::triggered, this, &MainWindow::toggle_beep);
}

}  // namespace orvane::ui
