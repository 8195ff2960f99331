#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "core/user_interface.h"
#include "photometry/automatic_photometry.h"
#include "processing/batch_outcome.h"
#include "ui/header_times_window.h"
#include "ui/header_window.h"
#include "ui/image_window.h"
#include "ui/magnifier_window.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QAction;
class QMenu;

namespace orvane::ui {

class ComparisonStarWindow;
class ControlPanel;
class FileDialog;
class FileDropFilter;
class FolderWindow;
class HistogramWindow;
enum class FileDialogMode;
struct FileChoice;
class LightCurveWindow;
class PositionWindow;
class ProcessingMenu;
class BinningMenu;
class BowMenu;

// The control panel and menu bar ("Form1"), the hub every command starts from.
class MainWindow : public QMainWindow, public SharedProcedures {
  Q_OBJECT

 public:
  MainWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence: settings file, defaults, then the command-line file if any.
  void start(const std::string& command_line);

  // Opens a FITS file by name (dropped file, command line): extension check, read, contrast,
  // image window. False when the file was not opened.
  bool open_by_name(const std::string& name);
  // Opens a FITS file chosen by its full path: a file that does not begin as FITS is named as
  // such, a file the reader refuses gets its message and "File Open Error".
  bool open_frame(const std::string& path);

  ImageWindow* image_window() const override { return image_window_; }
  MagnifierWindow* magnifier() const { return magnifier_; }
  HeaderWindow* header_window() const { return header_window_; }
  ControlPanel* panel() const { return panel_; }
  LightCurveWindow* light_curve_window() const { return light_curve_window_; }

  // Shows the light-curve window on a data file (an absolute path), reading it again when the
  // window is open already.
  void open_light_curve(const std::string& path);

  // Enables "UnDo" while the frame holds an undo copy.
  void refresh_undo_item();

  // One press of "Photometry": stars re-centred and measured, magnitudes shown, the
  // observation line (or the report line) put on the clipboard.
  void measurement_run();

  bool read_frame(const std::string& path) override;
  void hide_automatic_button() override;
  void frame_changed(const FrameChange& change = {}) override;
  void contrast_chosen() override;
  void aperture_draw() override;
  void search_span_draw() override;
  void marks_off() override;
  void label_on() override;
  void label_off() override;
  void set_position(int slot, photometry::Position position) override;
  void open_picture() override;
  void close_picture() override;
  void watch_picture(std::function<void(ImageWindow& window)> opened) override;
  void show_full_scale() override;
  const display::RgbImage* shown_picture() const override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void build_menus();
  void build_menu_shortcuts();
  void build_photometry_menu();
  void build_utility_menu();
  void fit_panel();
  void connect_panel();
  QAction* add_action(QMenu* menu, const char* name, const QString& caption);
  QMenu* add_menu(QMenu* parent, const char* name, const QString& caption);

  // Display menu.
  void choose_scale(int scale);
  void rotate_image();
  void toggle_dusky();
  void show_header();
  void show_header_times();
  void show_aavso_report();
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
  void redraw_picture();

  // Photometry menu and buttons.
  void set_position_mode(int mode);
  void set_sky_mode(int mode);
  void set_aperture_shape(int shape);
  void show_aperture_caption();
  void show_sky_area_window();
  void show_comparison_window();
  void open_position_window(int x, int y, QPoint global_position);
  void toggle_cross();
  void set_cross_mode(int mode);
  photometry::SlotPositions shown_positions() const;
  photometry::MagnitudeValues magnitude_boxes() const;
  // Shows a measurement: the positions, the magnitude boxes, the beep and "No Star" once.
  void show_run(const photometry::RunResult& run, bool tell_no_star);

  // Automatic photometry.
  struct AutomaticRun {
    AutomaticRun(const photometry::PhotometrySettings& settings, photometry::PositionTable& table,
                 std::string data_file)
        : engine(settings, table, std::move(data_file)) {}
    photometry::AutomaticPhotometry engine;
    std::vector<std::string> files;  // absolute paths, in the order of the folder window's list
    std::size_t index = 0;           // the frame shown now
    bool unattended = false;         // "pictures are not checked"
  };
  void show_automatic_folder();
  void set_automatic_mode(bool on);
  // Starts the mode on the listed files; false (the folder window stays) when none is a FITS
  // file.
  bool begin_automatic(const std::string& folder, std::vector<std::string> paths,
                       bool pictures_not_checked);
  bool read_automatic_frame();
  void run_automatic();
  bool automatic_frame(AutomaticRun& run);
  void finish_automatic();
  void show_positions(const photometry::SlotPositions& positions);

  // Files and batches.
  void show_file_dialog(FileDialogMode mode);
  bool file_dialog_ok(const FileChoice& choice);
  void calibrate(const FileChoice& choice);
  bool save_frame(const std::string& path, int bitpix);
  void close_folder_windows();
  void show_calibration_folder(const FileChoice& choice);
  void show_composite_window();
  void show_scaling_window();
  void show_folder_window(FolderWindow* window);
  void batch_finished(const processing::BatchOutcome& outcome, std::string_view done_word);

  // Stores every window's place and writes the settings file.
  void shutdown();
  void store_light_curve_place();

  Workspace& workspace_;
  core::UserInterface& ui_;
  ControlPanel* panel_ = nullptr;
  FileDropFilter* drops_ = nullptr;
  QPointer<ImageWindow> image_window_;
  MagnifierWindow* magnifier_ = nullptr;
  QPointer<HeaderWindow> header_window_;
  QPointer<HeaderTimesWindow> header_times_window_;
  QPointer<PositionWindow> position_window_;
  QPointer<FileDialog> file_dialog_;
  QPointer<FolderWindow> folder_window_;
  QPointer<HistogramWindow> histogram_window_;
  std::unique_ptr<AutomaticRun> automatic_;  // while automatic photometry is on
  ComparisonStarWindow* comparison_window_ = nullptr;
  ProcessingMenu* processing_menu_ = nullptr;  // limb, calculation and the noise filters
  BinningMenu* binning_menu_ = nullptr;        // the profile, binning and spectrum windows
  BowMenu* bow_menu_ = nullptr;                // the bow correction and its graph
  std::vector<std::function<void(ImageWindow& window)>> picture_watchers_;
  LightCurveWindow* light_curve_window_ = nullptr;  // made on first use, lives for the run
  bool shut_down_ = false;
};

}  // namespace orvane::ui
