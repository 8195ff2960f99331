#pragma once

#include <QDialog>
#include <string>

#include "core/user_interface.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QCheckBox;
class QLineEdit;

namespace orvane::ui {

// "Image save to BMP & JPEG" ("Form19"): the image window's picture, as drawn, written as a
// bitmap and, with "Addition Jpeg File", also as a JPEG at the chosen quality. Save closes the
// window; a file that cannot be written is told and the window stays.
class PictureExportWindow : public QDialog {
  Q_OBJECT

 public:
  PictureExportWindow(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
                      QWidget* parent = nullptr);

  // The JPEG quality, 0..100.
  int quality() const { return quality_; }

 private:
  void save();
  // The name in "File Name" as an absolute path: a bare name lies in the current folder.
  std::string bitmap_path() const;

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::WindowUserInterface ui_;  // messages owned by this window
  QLineEdit* name_box_ = nullptr;
  QCheckBox* add_jpeg_ = nullptr;
  QLineEdit* quality_box_ = nullptr;
  int quality_;
};

}  // namespace orvane::ui
