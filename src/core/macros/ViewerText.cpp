#include "core/macros/ViewerText.h"

#include <cstdio>

#include "core/language/Multi_lang.h"

namespace plandra {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kMatrixHeading = "変換の表現行列";

void ShowBlock(ViewerText& viewer, LangState& lang, const std::string& block) {
  ViewerWrite(viewer, block);
  viewer.Heading = Translate(lang, kMatrixHeading);
  viewer.Shown = true;
}

}  // namespace

// Adding keeps one copy of a block that did not change since the last one,
// so a drag that moves nothing the block shows does not fill the viewer.
void ViewerWrite(ViewerText& viewer, std::string_view block) {
  switch (viewer.ViewerWriteMode) {
    case kViewerAppend:
      if (!viewer.Text.ends_with(block)) viewer.Text.append(block);
      break;
    case kViewerPrepend:
      if (!viewer.Text.starts_with(block)) viewer.Text.insert(0, block);
      break;
    default: viewer.Text.assign(block); break;
  }
}

void ViewerClear(ViewerText& viewer) { viewer.Text.clear(); }

bool SetViewerWriteMode(ViewerText& viewer, int16_t mode) {
  if (mode < kViewerOverwrite || mode > kViewerPrepend) return false;
  viewer.ViewerWriteMode = mode;
  return true;
}

std::string MatrixEntryText(double value) {
  if (value == 0) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

std::string MatrixBlock(std::string_view name, const MapMatrix& matrix) {
  std::string block(20, '-');
  block.append(kLineEnd).append(name).append(kLineEnd);
  for (int i = 1; i <= matrix.Rows; ++i) {
    for (int j = 1; j <= matrix.Cols; ++j)
      block.append(MatrixEntryText(matrix(i, j))).append(" , ");
    block.append(kLineEnd);
  }
  return block;
}

void InspectMatrix(ViewerText& viewer, LangState& lang, std::string_view name,
                   const MapMatrix& matrix) {
  ShowBlock(viewer, lang, MatrixBlock(name, matrix));
}

void inspectD(ViewerText& viewer, LangState& lang, double a, std::string_view x) {
  MapMatrix single = MapMatrix::Zero(1, 1);
  single(1, 1) = a;
  ShowBlock(viewer, lang, MatrixBlock(x, single));
}

MatrixDisplay ViewerMatrixDisplay(ViewerText& viewer, LangState& lang, int16_t matrixShowSwitch) {
  auto show = [&viewer, &lang](std::string_view name, const MapMatrix& matrix) {
    InspectMatrix(viewer, lang, name, matrix);
  };
  return {show, matrixShowSwitch};
}

bool MatrixItemsVisible(const ViewerText& viewer, LangState& lang) {
  return viewer.Heading == Translate(lang, kMatrixHeading);
}

bool ViewerItemVisible(const ViewerText& viewer, LangState& lang, const ViewerMenuItem& item) {
  return item.MainCommand == nullptr || MatrixItemsVisible(viewer, lang);
}

void ViewerChoose(ViewerText& viewer, const ViewerMenuItem& item) {
  const std::string_view name = item.Name;
  if (name == "mnuClear") {
    ViewerClear(viewer);
  } else if (name == "mnuExit") {
    viewer.Shown = false;
  } else if (item.Mode >= 0) {
    SetViewerWriteMode(viewer, item.Mode);
  }
}

}  // namespace plandra
