// Anti-aliased thin lines and rings written straight into the rows of an
// RGB32 image: the painter's own anti-aliased path costs most of a full
// redraw. Drawing is limited to a band of rows, so that a redraw can be
// played band by band while each band stays in the cache.
#pragma once

#include <QImage>
#include <QPointF>
#include <cstdint>

namespace plandra {

struct RasterRows {
  uchar* bits;  // row 0 of the whole image
  qsizetype bytesPerLine;
  int width;
  int height;
  // Rows [bandTop, bandBottom) are written; the geometry stays in image rows.
  int bandTop;
  int bandBottom;
};

RasterRows RowsOf(QImage& image);
RasterRows BandOf(const RasterRows& rows, int top, int bottom);

// Cuts the segment to the image grown by a margin; false when nothing is left.
bool ClipToImage(double& x1, double& y1, double& x2, double& y2, int width, int height);

// A line of the given width between pixel centre coordinates.
void RasterLine(const RasterRows& rows, double x1, double y1, double x2, double y2, double width,
                uint32_t color);
// A ring about a pixel position; rx and ry differ when pixels are not quite
// square in world units.
void RasterRing(const RasterRows& rows, QPointF centre, double rx, double ry, double width,
                uint32_t color);

// Qt's painting can leave the upper halves of the vector registers in use,
// and every SSE instruction after it then runs several times slower: the
// rasteriser's loops took more than twice as long after a painted label.
// Called after Qt paints and before our own vector code runs.
void ClearUpperVectorState();

// The rows a line or ring may touch, for choosing the bands it crosses.
void LineRows(double y1, double y2, double width, int& first, int& last);
void RingRows(QPointF centre, double rx, double ry, double width, int& first, int& last);

}  // namespace plandra
