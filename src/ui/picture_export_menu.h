#pragma once

#include <QObject>
#include <QPointer>

#include "core/user_interface.h"
#include "ui/picture_export_window.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QWidget;

namespace orvane::ui {

// The File menu's "Save to BMP,JPEG": the picture shown again at full scale, then the export
// window ("Form19") on it. Reaches the main window only through the shared procedures.
class PictureExportMenu : public QObject {
  Q_OBJECT

 public:
  PictureExportMenu(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
                    QWidget* main_window);

  // Without a frame only "You do not open the data file"; otherwise display scale 1 (the
  // markers reset, the image window rebuilt, the magnifier closed) and the window opened.
  void run();

  PictureExportWindow* window() const { return window_; }

 private:
  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::UserInterface& ui_;
  QWidget* main_window_;
  QPointer<PictureExportWindow> window_;
};

}  // namespace orvane::ui
