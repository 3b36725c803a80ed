#pragma once
// Painting a report's pages from its layout, one page at a time, onto any
// paint device: the preview's page view, a printer, an image.
//
// Positions are scaled from report units to the device; texts keep the line
// breaks and font scales of the layout (ReportText.h) and are drawn at a whole
// pixel size scaled to their exact one, so each line is as wide as the layout
// measured it at any resolution: the preview shows the gaps and the
// right-aligned edges that print.

#include <QPointF>
#include <cstdint>
#include <string>

#include "ReportLayout.h"

class QImage;
class QPainter;
class QPrinter;

// Paints page PageIndex (0-based) with the paper's top left corner at Origin and
// Scale device pixels to a unit. Paints nothing under the bands: the caller
// provides the paper.
void PaintReportPage(QPainter& Painter, const TReportLayout& Layout, int32_t PageIndex,
                     double Scale, QPointF Origin = {});

// The page on white paper at Dpi dots per inch.
QImage RenderReportPage(const TReportLayout& Layout, int32_t PageIndex, int Dpi = 96);

// Gives the printer the report's paper, portrait, and lets the report place
// everything from the paper's corner (the layout holds the margins).
void SetUpReportPrinter(QPrinter& Printer, const TReportPage& Page);

// Prints pages First..Last (0-based, inclusive) on a printer set up by
// SetUpReportPrinter (and the print dialog), telling Progress after each page.
// A cancelled job is aborted, and a file it was writing is removed. False when
// cancelled or when the printer fails (then Error says why).
bool PrintReport(const TReportLayout& Layout, QPrinter& Printer, int32_t First, int32_t Last,
                 const TReportProgress& Progress, std::string& Error);
