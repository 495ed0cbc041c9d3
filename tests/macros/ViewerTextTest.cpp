#include <gtest/gtest.h>

#include "core/language/Multi_lang.h"
#include "core/macros/PDmacro01.h"
#include "core/macros/ViewerText.h"

namespace plandra {
namespace {

const std::string kDashes = "--------------------\r\n";

TEST(ViewerTextTest, MatrixBlocksAndWriteModes) {
  MapMatrix m = MapMatrix::Zero(2, 2);
  m(1, 1) = 2;
  m(1, 2) = -0.5;
  m(2, 1) = 1.0 / 3;
  m(2, 2) = -0.0;
  const std::string block = kDashes + "A=\r\n2 , -0.5 , \r\n0.333333333333333 , 0 , \r\n";
  EXPECT_EQ(MatrixBlock("A=", m), block);

  ViewerText viewer;
  LangState lang;
  viewer.Text = "old\r\n";
  InspectMatrix(viewer, lang, "A=", m);
  EXPECT_EQ(viewer.Text, block);
  EXPECT_TRUE(viewer.Shown);
  EXPECT_TRUE(MatrixItemsVisible(viewer, lang));

  ASSERT_TRUE(SetViewerWriteMode(viewer, kViewerAppend));
  inspectD(viewer, lang, 1e-5, "d");
  EXPECT_EQ(viewer.Text, block + kDashes + "d\r\n1e-05 , \r\n");
  inspectD(viewer, lang, 1e-5, "d");  // nothing changed: no second copy
  EXPECT_EQ(viewer.Text, block + kDashes + "d\r\n1e-05 , \r\n");
  ASSERT_TRUE(SetViewerWriteMode(viewer, kViewerPrepend));
  inspectD(viewer, lang, 12345.5, "x");
  EXPECT_EQ(viewer.Text, kDashes + "x\r\n12345.5 , \r\n" + block + kDashes + "d\r\n1e-05 , \r\n");

  EXPECT_FALSE(SetViewerWriteMode(viewer, 3));
  EXPECT_FALSE(SetViewerWriteMode(viewer, -1));
  EXPECT_EQ(viewer.ViewerWriteMode, kViewerPrepend);
  ViewerClear(viewer);
  EXPECT_EQ(viewer.Text, "");

  // Under the data view's heading the matrix items are hidden.
  viewer.Heading = Translate(lang, "作図手続きと幾何的対象のデータ");
  EXPECT_FALSE(MatrixItemsVisible(viewer, lang));
  EXPECT_FALSE(MatrixItemsVisible(ViewerText{}, lang));
}

}  // namespace
}  // namespace plandra
