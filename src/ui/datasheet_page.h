// The datasheet of the chosen spring: one A4 portrait page, laid out the same
// on a printer, in a print preview and in a PDF.
#pragma once

#include "ui/datasheet_content.h"

#include <QByteArray>
#include <QRectF>

class QPainter;

namespace ui {

// Draws the whole page into `page`, a rectangle of the painter's device with
// the proportions of A4 portrait (the full sheet: the page keeps its own
// margins). Every text is shortened to its place, so nothing runs off the page
// whatever the lengths of the texts.
void paint_datasheet(QPainter& painter, const QRectF& page, const DatasheetContent& content);

// The page as a PDF document of one A4 page, its fonts embedded. Throws
// std::runtime_error when the PDF cannot be made.
QByteArray datasheet_pdf(const DatasheetContent& content);

} // namespace ui
