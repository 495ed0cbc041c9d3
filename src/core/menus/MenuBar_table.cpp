// The menu bar as designed, in its order.
#include "core/ViewCommands.h"
#include "core/menus/MenuBar.h"

namespace plandra {
namespace {

// A command; its action is its own name unless it is the same as another item.
MenuItem Cmd(std::string name, std::string caption, std::string shortcut = {},
             std::string action = {}) {
  MenuItem item;
  item.Action = action.empty() ? name : std::move(action);
  item.Name = std::move(name);
  item.Caption = std::move(caption);
  item.Shortcut = std::move(shortcut);
  return item;
}

// A construction command: it names a kind for the construction flow.
MenuItem Build(std::string name, std::string caption, std::string kind) {
  MenuItem item = Cmd(std::move(name), std::move(caption), {}, "StartConstruction");
  item.KindCode = std::move(kind);
  return item;
}

MenuItem Sub(std::string name, std::string caption, std::vector<MenuItem> children) {
  MenuItem item;
  item.Name = std::move(name);
  item.Caption = std::move(caption);
  item.Children = std::move(children);
  return item;
}

MenuItem FileMenu() {
  return Sub(
      "mnuFile", "ﾌｧｲﾙ",
      {Cmd("mnuNew", "新規作成", "Ctrl+N"), Cmd("mnuLoad", "例の読み込み", "Ctrl+O"),
       Cmd("mnuSave", "保存", "Ctrl+S"),
       Sub("mnuFDataFolder", "データフォルダ",
           {Cmd("mnuFDataFolderGet", "標準に戻す"), Cmd("mnuFDataFolderStandardSet", "現在→標準に"),
            Cmd("mnuFDataFolderSample", "サンプル")}),
       Cmd("mnuSaveOnLine", "オンライン保存"), Cmd("mnuf_html", "html保存"),
       Cmd("mnuf_htmlLesson", "一括html保存(フォルダ)"), Cmd("mnuMerge", "図形の追加", "Ctrl+M"),
       Cmd("mnuFprint", "印刷", "Ctrl+P"), Cmd("mnuOcopyWindow", "画面複写", "F4"),
       Sub("mnufB", "画面切換",
           {Cmd("mnufBMP", "画面保存(bmp,クリップボード)", "F7"),
            Cmd("mnuOWindowMini", "縮小/サムネイル(クリップボード)", "Ctrl+T"),
            Cmd("mnuHmakeAllBmp", "一括生成(現フォルダ)")}),
       Cmd("mnuExit", "終了", "Ctrl+Q")});
}

MenuItem DeformMenu() {
  return Sub("mnuDeform", "変形",
             {Cmd("mnuDeform1Pt", "1点を動かす", "Ctrl+D"),
              Cmd("mnuDeformPts", "複数の点を動かす", "Ctrl+E"),
              Cmd("mnuDeformVar", "変数の値を変える", "Ctrl+V")});
}

MenuItem ConstPointMenu() {
  return Sub("mnuConstPoint", "点",
             {Sub("mnuPcross", "交点",
                  {Build("mnuPcrossLL", "2直線の交点", "PC1"),
                   Build("mnuPcrossLC", "直線と円", "PC2"), Build("mnuPcrossCC", "2円", "PC3")}),
              Sub("mnuPbunten", "分点",
                  {Build("mnuPtoubun", "n等分", "PNEQ"), Build("mnuPnaibun", "内分・外分", "PN"),
                   Build("mnuPextension", "2点からの延長", "PEXT")}),
              Sub("mnuPcenter", "5心など",
                  {Build("mnuPgaishin", "外心", "P1"), Build("mnuPnaishin", "内心", "P2"),
                   Build("mnuPsuishin", "垂心", "P4"), Build("mnuPjushin", "重心", "P3"),
                   Build("mnuPboushin", "傍心(1つ)", "P5"),
                   Build("mnuP9ptcCenter", "九点円の中心", "P6")}),
              Sub("mnuPnew", "新しい点の追加",
                  {Cmd("mnuPnewFreeP", "自由な新しい点", "Ctrl+F"),
                   Cmd("mnuPboundL", "直線上に新しい点", "Ctrl+L"),
                   Cmd("mnuPboundC", "円上に新しい点", "Ctrl+C")}),
              Sub("mnuPextra", "その他", {Build("mnuPxy", "xy座標を与える", "PXY")})});
}

MenuItem LineMenu() {
  return Sub("mnuConstLine", "直線",
             {Build("mnlL2P", "2点を結ぶ", "L1"), Build("mnuLLP1", "直線に平行,1点を通る", "L2"),
              Build("mnuLLP2", "直線に垂直,1点を通る", "L3"),
              Build("mnuLperpendicular", "線分の垂直二等分線", "L4"),
              Build("mnuLPCtangent", "1点を通る,円の接線", "L5"),
              Build("mnuL2Ctangent1", "2円の共通外接線", "L6"),
              Build("mnuL2Ctangent2", "2円の共通内接線", "L7")});
}

MenuItem SegmentMenu() {
  return Sub(
      "mnuConst", "線分,多角形",
      {Build("mnuS2P", "2点を結ぶ線分", "L1"),
       Build("mnuSPLperpendicular", "垂線の足(1点から直線へ)", "L3+"),
       Build("mnuSpolygon", "多角形", "LPGN"), Build("mnuSRegularPolygon", "正多角形", "LRGN")});
}

MenuItem HalfLineMenu() {
  return Sub("mnuCOnstHalfLine", "半直線",
             {Build("mnuH2P", "2点を結ぶ", "L1"), Build("mnuHbisector", "角の2等分線", "LH1"),
              Build("mnuHNsector", "角のn等分", "LH2+"),
              Build("mnuHrotation", "回転(定角を作る)", "LHRO")});
}

MenuItem ConstCircleMenu() {
  return Sub("mnuConstCircle", "円",
             {Build("mnuCPN", "中心と半径", "C1"), Build("mnuC2P", "中心と1点", "C2"),
              Build("mnuCgaisetsu", "3点(外接円)", "C3"), Build("mnuCdiameter", "直径", "C4"),
              Build("mnuCnaisetsu", "内接円", "C5"), Build("mnuCbousetsu", "傍接円(1つ)", "C6"),
              Build("mnuC9pt", "九点円", "C7")});
}

MenuItem ConstImaginaryMenu() {
  return Sub(
      "mnuConstImaginary", "複素数",
      {Build("mnuCMPplus", "＋", "PO+"), Build("mnuCMPminus", "－", "PO-"),
       Build("mnuCMPmulti", "×", "PO*"), Build("mnuCMPdiv", "÷", "PO/"),
       Build("mnuCMPpower", "  ＾  （べき）", "PO^"), Build("mnuCMPinv", "逆数(1/Z)", "PO-1")});
}

MenuItem TransformMenu() {
  return Sub(
      "mnuTransform", "移動・変換",
      {Sub("mnuTransPoint", "点→点",
           {Build("mnuProtate", "回転移動", "PT1"), Build("mnuPlinesym", "線対称移動", "PT2"),
            Build("mnuPPsym", "点対称移動", "PT3"), Build("mnuPParallel", "平行移動", "PT8"),
            Build("mnuPinversion", "円に関する反転", "PT4")}),
       Sub("mnuTransLine", "線→線",
           {Build("mnuHrotation2", "回転移動", "LRO"), Build("mnuTLLinesym", "線対称移動", "LT1"),
            Build("mnuTransformLPsymmetry", "点対称移動", "LT2"),
            Build("mnuTransformLParallel", "平行移動", "LT3")}),
       Sub("mnuTransCircle", "円→円",
           {Build("mnuTransformCrotate", "回転移動", "CRO"),
            Build("mnuTransformLLinesymmetry", "線対称移動", "CT1"),
            Build("mnuTransformCPsymmetry", "点対称移動", "CT2"),
            Build("mnuTransformCparallel", "平行移動", "CT3")}),
       Sub("mnuTrans2", "変換(その2)",
           {Build("mnuLPCpole", "点の円に関する極線", "L8"),
            Build("mnuPLCpolar", "直線の円に関する極", "PT9"),
            Build("mnuSetLocus", "軌跡(点→点)", "XLOCS"),
            Build("mnuPTmatrixSW", "5点→2次曲線", "X2JI")})});
}

MenuItem ConstructionMenu() {
  return Sub(
      "mnuConstruction", "作図(継続)",
      {ConstPointMenu(), LineMenu(), SegmentMenu(), HalfLineMenu(), ConstCircleMenu(),
       ConstImaginaryMenu(), TransformMenu(),
       Cmd("mnuCMacroLinear", "一次変換 (2点とその像で決定)"),
       Cmd("mnuCMacroAffine", "アフィン変換 (3点とその像で決定)"),
       Cmd("mnuCMacroProjective", "射影変換 (4点とその像で決定)"),
       Cmd("mnuCredo", "繰り返し(Redo)", "Ctrl+R"), Cmd("mnuCundo", "最後抹消(undo)", "Ctrl+U"),
       Cmd("mnuCredoUndone", "やり直し", "Ctrl+Y; Shift+Ctrl+Z")});
}

MenuItem MeasureMenu() {
  return Sub(
      "mnuMeasure", "測定",
      {Sub("mnuMdis", "距離",
           {Build("mnuMdis2P", "2点", "ND2P"), Build("mnuMdisPL", "点と直線", "NDPL"),
            Build("mnuMdisPL2", "点と直線(+/-)", "NPL2"), Build("mnuMdisPC", "点と円", "NDPC"),
            Build("mnuMdis2L", "2直線", "ND2L"), Build("mnuMdisLC", "直線と円", "NDLC"),
            Build("mnuMdis2C", "2円", "ND2C")}),
       Sub("mnuMangle", "角度",
           {Build("mnuMangle1", "3点(0 - 180)", "NA3P"),
            Build("mnuMangle2", "3点(0 - 360)", "NA3*"),
            Build("mnuMangle3", "3点(-180 - 180)", "NA3+"),
            Build("mnuMangle2L", "2直線 (0 - 90)", "NA2L")}),
       Sub("mnuMarea", "面積",
           {Build("mnuMarea3P1", "3角形", "NAR3"), Build("mnuMarea3P2", "3角形(+/-)", "NAR+"),
            Build("mnuMarea4P", "4角形", "NAR4")}),
       Sub("mnuMlength", "長さ",
           {Build("mnuMlengthCenshu", "円周", "NLC"),
            Build("mnuMlengthCradius", "円の半径", "NRC")}),
       Sub("mnuMAxis", "座標",
           {Build("mnuMAxisX", "点の x 座標", "NPX"), Build("mnuMAxisY", "点の y 座標", "NPY"),
            Build("mnuMAxisX2", "点の x 座標(その2)", "NPX2")}),
       Sub("mnuMfunc", "関数",
           {Build("mnuMFsin", "SIN", "NSIN"), Build("mnuMFcos", "COS", "NCOS"),
            Build("mnuMFtan", "TAN", "NTAN")}),
       Cmd("mnuMcalc", "数式"), Cmd("mnuMredo", "繰り返し(Redo)", {}, "mnuCredo"),
       Cmd("mnuMundo", "最後抹消(Undo)", {}, "mnuCundo")});
}

MenuItem ZoomMenu() {
  return Sub("mnuZoom", "ｽﾞｰﾑ",
             {Cmd("mnuZoomDefault", "標準に戻す", "Ctrl+F3"), Cmd("mnuZoomIn", "* 2", "F3"),
              Cmd("mnuZoomOut", "/ 2", "Shift+F3"), Cmd("mnuZoomComplex", "複素数用")});
}

MenuItem LocusMenu() {
  return Sub("mnuLocus", "軌跡",
             {Cmd("mnuLocusSW", "On/Off"), Cmd("mnuLocusReset", "消去", "Shift+F9"),
              Cmd("mnuLocusNumCSV", "測定記録を見る", "Shift+Ctrl+F9"),
              Sub("mnuLocusSet", "設定",
                  {Cmd("mnuLocusSetP", "点", {}, "mnuEbasicPt"),
                   Cmd("mnuLocusSetL", "直線", {}, "mnuEbasicLine"),
                   Cmd("mnuLocusSetC", "円", {}, "mnuEbasicCircle"), Cmd("mnuLocusSetN", "変数")}),
              Cmd("mnuLocusNumClear", "軌跡の設定(変数)の解除", "Ctrl+F9")});
}

std::vector<MenuItem> OptionStepMenus() {
  return {Sub("mnuOdeform", "変形の幅",
              {Cmd("mnuOdeformStandard", "標準(10ドットずつ)"),
               Cmd("mnuOdeformNarrow", "細かく(1ドット)"), Cmd("mnuOdeformManual", "任意設定")}),
          Sub("mnuOdeformNum", "数値の変化の幅",
              {Cmd("mnuOdeformVarStandard", "標準(0.5)"), Cmd("mnuOdeformVarNarrow", "細かく(0.1)"),
               Cmd("mnuOdeformVarWide", "大きく(1)"), Cmd("mnuOdeformVarManual", "任意設定")})};
}

std::vector<MenuItem> OptionDisplayMenus() {
  return {Cmd("mnuOchrDisp", "文字表示"),
          Cmd("mnuAngleSW", "角のマークの表示"),
          Cmd("mnuOAxis", "座標軸の表示", "Ctrl+A"),
          Sub("mnuOAxisKind", "座標系の種類",
              {Cmd("mnuOAxis01", "直交座標系"), Cmd("mnuOAxis02", "極座標系")}),
          Sub("mnuOAxisColor", "座標軸の色",
              {Cmd("mnuOAxisColor1", "うすい灰色(標準)"), Cmd("mnuOAxisColor2", "中間の灰色"),
               Cmd("mnuOAxisColor3", "濃い灰色"), Cmd("mnuOAxisColorManual", "任意設定")}),
          Cmd("mnuWidth", "線の幅"),
          Cmd("mnuFont", "字の大きさ"),
          Cmd("mnuKeta", "測定値の桁数"),
          Sub("mnuOBackColor", "背景色",
              {Cmd("mnuOBackCWhite", "白(標準)"), Cmd("mnuOBackCStandard", "灰色"),
               Cmd("mnuOBackCmanual", "任意設定")}),
          Cmd("mnuOColorStrength", "色の濃さ")};
}

std::vector<MenuItem> OptionProgramMenus() {
  return {Sub("mnuOSDeform", "Shift + 変形の動作",
              {Cmd("mnuOSDeformLC", "近接直線/円へ"), Cmd("mnuOSDeformL", "近接直線へ"),
               Cmd("mnuOSDeformCross", "格子点へ")}),
          Sub("mnuOWindow", "起動時の画面の大きさ",
              {Cmd("mnuOWindowStandard", "標準"), Cmd("mnuOWindowVGA", "VGA(640×480)"),
               Cmd("mnuOWindowMax", "最大"), Cmd("mnuOWindowSave", "マニュアル(現在の画面)")}),
          Sub("mnuOmenuModeSW", "起動時メニューモード",
              {Cmd("mnuOMenu_easy", "簡易モード"), Cmd("mnuOmenu_full", "フルメニュー")}),
          Cmd("mnuMenuToEasy", "簡易メニューに"),
          Sub("mnuRedrawslowOption", "作図再生の速度",
              {Cmd("mnuRedrawslowOption_01", "速く(0.2秒)"),
               Cmd("mnuRedrawslowOption_03", "標準(0.5秒)"),
               Cmd("mnuRedrawslowOption_05", "遅く(1秒)")}),
          Sub("mnuOwww", "WWWサーバの設定",
              {Cmd("mnuOwwwVarnhof", "標準のサーバ"), Cmd("mnuOwwwManual", "マニュアル")}),
          Sub("mnuOFile", "設定値の入出力",
              {Cmd("mnuOFileSave", "ファイルに保存"), Cmd("mnuOFileLoad", "起動時の設定に戻す"),
               Cmd("mnuOFileInit", "標準値に戻す")}),
          Cmd("mnuOFont", "フォント"),
          Sub("mnuOEvent", "イベント認識",
              {Cmd("mnuOEvent_S", "弱"), Cmd("mnuOEvent_M", "中"), Cmd("mnuOEvent_F", "強")})};
}

MenuItem OptionMenu() {
  std::vector<MenuItem> children = OptionStepMenus();
  for (auto* part : {&OptionDisplayMenus, &OptionProgramMenus}) {
    for (MenuItem& item : (*part)()) children.push_back(std::move(item));
  }
  return Sub("mnuOption", "ｵﾌﾟｼｮﾝ", std::move(children));
}

MenuItem EditMenu() {
  return Sub("mnuEdit", "編集",
             {Cmd("mnuEbasicPt", "点", "F2"), Cmd("mnuEboundedPt", "点(束縛条件)", "Ctrl+B"),
              Cmd("mnuEbasicLine", "直線", "Shift+F2"), Cmd("mnuEbasicCircle", "円", "Ctrl+F2"),
              Sub("mnuEVarDisp", "変数",
                  {Cmd("mnuEVarDispAllOn", "すべて表示"), Cmd("mnuEVarDispAllOff", "すべて非表示"),
                   Cmd("mnuEbasicNum", "個別に設定", "Shift+Ctrl+F2")})});
}

MenuItem PointPopupMenu() {
  MenuItem popup =
      Sub("mnuEdit2_point", "右クリック編集(点)",
          {Cmd("mnuEdit2_point_Edit", "編集"), Cmd("mnuEdit2_point_Bounded", "編集(束縛条件)"),
           Cmd("mnuEdit2_point_Set_Free", "フリーにする"),
           Cmd("mnuEdit2_point_Deform", "キーボードで変形")});
  popup.Visible = false;  // only ever shown as a context menu
  return popup;
}

// A command of its own on the bar, shown only while the easy menu hides the rest.
MenuItem BackToFullMenu() {
  MenuItem item = Cmd("mnuMenuToFull", "フルメニューに");
  item.Visible = false;
  return item;
}

MenuItem HelpMenu() {
  return Sub(
      "mnuHelp", "ﾍﾙﾌﾟ",
      {Cmd("mnuRakugaki", "落書き機能", "F8"), Cmd("mnuHMemo", "メモ", "F5"),
       Cmd("mnuHmanual", "ヘルプ(マニュアル)", "F1"), Cmd("mnuEditFigDataView", "作図データの分析"),
       Cmd("mnuFigData_Redraw", "作図手続きの再生", "Ctrl+F1"), Cmd("mnuVersion", "バージョン"),
       Cmd("mnuLanguage", "Language")});
}

}  // namespace

std::vector<MenuItem> DesignedMenuItems() {
  return {FileMenu(),       DeformMenu(), ConstructionMenu(), MeasureMenu(),
          ZoomMenu(),       LocusMenu(),  OptionMenu(),       EditMenu(),
          PointPopupMenu(), HelpMenu(),   BackToFullMenu()};
}

}  // namespace plandra
