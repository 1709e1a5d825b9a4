#pragma once

#include "preparedreport.h"

#include <QImage>
#include <QRectF>

class QPainter;

// Draws prepared sheets with QPainter: onto an image for a look at the
// result, onto a printer's painter when printing.
namespace report {

// Draws the sheet into `target`, given in the painter's coordinates; the
// sheet's report pixels are scaled to fill it. Only visible, printable
// objects are drawn; the background object paints the paper white.
void renderSheet(const PreparedPage& sheet, QPainter& painter, const QRectF& target);

// The sheet as an image at `scale` device pixels per report pixel.
QImage renderSheetToImage(const PreparedPage& sheet, double scale = 1.0);

} // namespace report
