#pragma once

#include <QMainWindow>
#include <QPointer>
#include <string>

#include "core/user_interface.h"
#include "ui/header_window.h"
#include "ui/image_window.h"
#include "ui/magnifier_window.h"
#include "ui/workspace.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane::ui {

class ControlPanel;

// The control panel and menu bar ("Form1"), the hub every command starts from.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence: settings file, defaults, then the command-line file if any.
  void start(const std::string& command_line);

  // Opens a FITS file by name (dropped file, command line): extension check, read, contrast,
  // image window. False when the file was not opened.
  bool open_by_name(const std::string& name);

  ImageWindow* image_window() const { return image_window_; }
  MagnifierWindow* magnifier() const { return magnifier_; }
  HeaderWindow* header_window() const { return header_window_; }

  // Enables "UnDo" while the frame holds an undo copy.
  void refresh_undo_item();

  // The shared drawing of the search-span squares on the picture.
  void search_span_draw();
  // Shows or hides the sky-position rows.
  void label_on();
  void label_off();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void build_menus();
  void fit_panel();
  void connect_panel();
  QAction* add_action(QMenu* menu, const char* name, const QString& caption);
  QMenu* add_menu(QMenu* parent, const char* name, const QString& caption);

  // Display menu.
  void choose_scale(int scale);
  void rotate_image();
  void toggle_dusky();
  void show_header();
  void reset_marker_state();
  bool refuse_without_frame();

  void undo();
  void toggle_beep();
  void show_version();

  void open_image_window();
  void close_image_window();
  void show_cursor(int x, int y);
  void toggle_magnifier();
  void show_statistics();
  void show_contrast();
  void run_auto_contrast();
  void step_range(double factor);
  void step_background(double factor);
  void set_position_mode(int mode);
  void set_sky_mode(int mode);
  void set_aperture_shape(int shape);

  // Stores every window's place and writes the settings file.
  void shutdown();

  Workspace& workspace_;
  core::UserInterface& ui_;
  ControlPanel* panel_ = nullptr;
  QPointer<ImageWindow> image_window_;
  MagnifierWindow* magnifier_ = nullptr;
  QPointer<HeaderWindow> header_window_;
  bool shut_down_ = false;
};

}  // namespace orvane::ui
