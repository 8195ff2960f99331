#pragma once

#include <QImage>

#include "lightcurve/chart_layout.h"

namespace orvane::ui {

// Carries out a light-curve chart's drawing steps on canvas, one canvas pixel per chart pixel;
// whatever falls outside the canvas is dropped. Only Qt Gui is used, so orvane-cli draws the
// same charts as the window. Text needs a QGuiApplication (its fonts); without one the texts
// are left out.
void paint_chart(QImage& canvas, const lightcurve::ChartDrawing& drawing);

}  // namespace orvane::ui
