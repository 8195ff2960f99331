#pragma once

#include <array>

#include "ui/folder_window.h"

class QRadioButton;

namespace orvane::ui {

// "Auto Composite" ("Form21"): the folder window with the choice of 3, 5 or 7 pictures.
class CompositeWindow : public FolderWindow {
  Q_OBJECT

 public:
  CompositeWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent = nullptr);
  // 3, 5 or 7.
  int pictures() const;

 private:
  std::array<QRadioButton*, 3> choices_{};
};

// "Change BZERO and BSCALE" ("Form22"): the folder window with the two new card values.
class ScalingCardsWindow : public FolderWindow {
  Q_OBJECT

 public:
  ScalingCardsWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent = nullptr);
  std::string bzero_text() const;
  std::string bscale_text() const;

 private:
  QLineEdit* bzero_ = nullptr;
  QLineEdit* bscale_ = nullptr;
};

}  // namespace orvane::ui
