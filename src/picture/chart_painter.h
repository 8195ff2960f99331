#pragma once

#include <QImage>

#include "lightcurve/chart_layout.h"

namespace orvane::picture {

// Carries out a light-curve chart's drawing steps on canvas, one canvas pixel per chart pixel;
// whatever falls outside the canvas is dropped. Only Qt Gui is used, so orvane-cli draws the
// same charts as the window. Text needs a QGuiApplication (its fonts); without one the texts
// are left out.
void paint_chart(QImage& canvas, const lightcurve::ChartDrawing& drawing);

// The two charts of the light curve, top above bottom, each width x height, in one picture.
QImage paint_charts(const lightcurve::ChartDrawing& top, const lightcurve::ChartDrawing& bottom,
                    int width, int height);

}  // namespace orvane::picture
