#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/MainCommands.h"
#include "core/ViewCommands.h"
#include "core/numbers/ExpressionInput.h"
#include "core/numbers/NumberChooser.h"
#include "core/numbers/NumberDialogs.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddNumber;
using test::AppFixture;

struct TableFixture : AppFixture {
  TableFixture() {
    ResetFigure(P.Fig, 20);
    WireNumberChooser(P);
    AddNumber(P.Fig, 10);
    AddNumber(P.Fig, 4);
  }
  bool Act(const DialogTable& table, std::string_view control, ControlAct act,
           std::string_view value = {}) {
    return RunControl(P, table, control, act, value);
  }
};

// Every control names the model part its kind mirrors, a button has a
// click, and no two controls share a name: a front end builds each from
// the table alone.
TEST(NumberDialogTables, EveryControlHasWhatItsKindNeeds) {
  for (const DialogTable* table : NumberDialogTables()) {
    EXPECT_EQ(NumberDialogTable(table->Name), table);
    std::set<std::string_view> names;
    int row = 0;
    for (const ControlEntry& c : table->Controls) {
      const std::string where = std::string(table->Name) + "." + std::string(c.Name);
      EXPECT_TRUE(names.insert(c.Name).second) << where;
      EXPECT_EQ(c.Kind == ControlKind::kList, c.List != nullptr) << where;
      EXPECT_EQ(c.Kind != ControlKind::kList, c.Field != nullptr) << where;
      EXPECT_EQ(c.Kind == ControlKind::kButton, c.Click != nullptr) << where;
      EXPECT_EQ(c.Kind == ControlKind::kTextBox, c.Edit != nullptr) << where;
      EXPECT_GE(c.Row, row) << where << ": rows are laid out top to bottom";
      row = c.Row;
      if (!c.LabelledBy.empty()) {
        EXPECT_NE(FindControl(*table, c.LabelledBy), nullptr) << where;
      }
    }
  }
  EXPECT_EQ(NumberDialogTable("PDLanguage"), nullptr);
}

// Each operator button appends its own character; the list's double click
// takes the line; the text box's edit reaches the echo label.
TEST(NumberDialogTables, ExpressionControlsRunTheirOwnCalls) {
  TableFixture f;
  const DialogTable& table = ExpressTable();
  mnuMcalc(f.P);
  const std::pair<std::string_view, char> ops[] = {{"cmdOpAdd", '+'},
                                                   {"cmdOpMinus", '-'},
                                                   {"cmdOpMulti", '*'},
                                                   {"cmdOpDiv", '/'},
                                                   {"cmdOpPower", '^'}};
  for (const auto& [name, op] : ops) {
    ASSERT_TRUE(f.Act(table, "NumList", ControlAct::kSelect, "1"));
    ASSERT_TRUE(f.Act(table, "NumList", ControlAct::kDoubleClick));
    ASSERT_TRUE(f.Act(table, name, ControlAct::kClick)) << name;
    EXPECT_EQ(f.P.Express.ExpByNum.back(), op) << name;
    EXPECT_EQ(f.P.Express.ExpByNum.substr(f.P.Express.ExpByNum.size() - 3, 2), "N2") << name;
  }
  ASSERT_TRUE(f.Act(table, "cmdAddNum", ControlAct::kClick));
  ASSERT_TRUE(f.Act(table, "Text1", ControlAct::kEdit, "2.5x"));
  EXPECT_EQ(f.P.Express.LabelNewNumCheck.Caption, " 2.5");
  ASSERT_TRUE(f.Act(table, "cmdNewNumOK", ControlAct::kClick));
  ASSERT_TRUE(f.Act(table, "cmdInputEnd", ControlAct::kClick));
  EXPECT_FALSE(f.P.Express.Shown);
  EXPECT_EQ(Trim(f.P.Fig.NumTable[f.P.Fig.ElemCount[kClassNumber]].Expr), "N2+N2-N2*N2/N2^N3");
}

// A page's call can name anything: a control greyed out or hidden, a
// control the dialog lacks, an act it has no answer to, a line that is no
// number. None reaches the model.
TEST(NumberDialogTables, ActsTheModelDoesNotOfferAreRefused) {
  TableFixture f;
  const DialogTable& table = ExpressTable();
  mnuMcalc(f.P);
  const int16_t steps = f.P.Fig.StepCount;
  EXPECT_FALSE(f.Act(table, "cmdInputEnd", ControlAct::kClick));  // a number is expected
  EXPECT_FALSE(f.Act(table, "cmdNewNumOK", ControlAct::kClick));  // hidden
  EXPECT_FALSE(f.Act(table, "Label1", ControlAct::kClick));
  EXPECT_FALSE(f.Act(table, "Nothing", ControlAct::kClick));
  EXPECT_FALSE(f.Act(table, "NumList", ControlAct::kSelect, "1x"));
  EXPECT_FALSE(f.Act(table, "NumList", ControlAct::kSelect, ""));
  EXPECT_EQ(f.P.Fig.StepCount, steps);
  EXPECT_TRUE(f.P.Express.ExpByNum.empty());
  EXPECT_EQ(f.P.Express.NumList.Selected, 0);
  DialogFocus(f.P, table, "Nothing");
  EXPECT_EQ(f.P.Express.Focus, "NumList");

  // A second click on "End of input", queued behind the one that closed the
  // dialog, makes no second number.
  ASSERT_TRUE(f.Act(table, "NumSelectOK", ControlAct::kClick));
  ASSERT_TRUE(f.Act(table, "cmdInputEnd", ControlAct::kClick));
  const int16_t numbers = f.P.Fig.ElemCount[kClassNumber];
  EXPECT_FALSE(f.Act(table, "cmdInputEnd", ControlAct::kClick));
  EXPECT_FALSE(f.Act(table, "cmdOpAdd", ControlAct::kClick));
  EXPECT_FALSE(DialogKey(f.P, table, "cmdInputEnd", 0, "="));
  EXPECT_EQ(f.P.Fig.ElemCount[kClassNumber], numbers);
  EXPECT_EQ(f.P.Fig.StepCount, steps + 1);
}

// The chooser's value changed in place and the number input's steps, each
// through its table.
TEST(NumberDialogTables, ChooserAndInputControlsRunTheirOwnCalls) {
  TableFixture f;
  RunMenuCommand(f.P, "mnuDeformVar");
  const DialogTable& chooser = SelNumTable();
  ASSERT_TRUE(f.Act(chooser, "NumList", ControlAct::kSelect, "1"));
  ASSERT_TRUE(f.Act(chooser, "Reset", ControlAct::kClick));
  ASSERT_TRUE(f.Act(chooser, "ResetText", ControlAct::kEdit, "7"));
  ASSERT_TRUE(f.Act(chooser, "ResetOK", ControlAct::kClick));
  EXPECT_DOUBLE_EQ(f.P.Fig.NumTable[2].Value, 7);
  ASSERT_TRUE(f.Act(chooser, "Cmd_OK", ControlAct::kClick));
  EXPECT_EQ(f.P.Var.VarTarget, (ObjRef{kClassNumber, 2}));

  const DialogTable& input = NumInputTable();
  RunMenuCommand(f.P, "mnuKeta");
  ASSERT_TRUE(f.Act(input, "Command1", ControlAct::kClick));
  EXPECT_EQ(f.P.NumInput.Text1.Caption, "3");
  ASSERT_TRUE(f.Act(input, "Command2", ControlAct::kClick));
  ASSERT_TRUE(f.Act(input, "Command2", ControlAct::kClick));
  EXPECT_TRUE(DialogKey(f.P, input, "Text1", kKeyEnter, ""));
  EXPECT_EQ(f.P.Config.KetaDecimal, 1);
  EXPECT_FALSE(f.P.NumInput.Shown);
}

}  // namespace
}  // namespace plandra
