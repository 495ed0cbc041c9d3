#include "ProgramState.h"

#include "NumberDialogForm.h"
#include "app/FileCommands.h"
#include "app/NewAndExit.h"
#include "core/Program.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/dialogs/LanguageDialog.h"
#include "core/language/Multi_lang.h"
#include "core/menus/MenuBar.h"
#include "core/menus/StatusBar.h"
#include "persist/JsonText.h"

namespace plandra {
namespace {

void AppendMenu(const std::vector<MenuItem>& items, std::string& out) {
  out += '[';
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    if (i > 0) out += ',';
    out += "{\"name\":" + JsonString(item.Name) + ",\"caption\":" + JsonString(item.Caption) +
           ",\"shortcut\":" + JsonString(item.Shortcut) + ",\"enabled\":" + JsonBool(item.Enabled) +
           ",\"checked\":" + JsonBool(item.Checked) + ",\"visible\":" + JsonBool(item.Visible);
    if (!item.Children.empty()) {
      out += ",\"items\":";
      AppendMenu(item.Children, out);
    }
    out += '}';
  }
  out += ']';
}

void AppendStatus(const StatusBar& bar, std::string& out) {
  out += '[';
  for (int panel = 1; panel <= kStatusPanelCount; ++panel) {
    const StatusPanel& model = bar.Panel(panel);
    if (panel > 1) out += ',';
    out += "{\"text\":" + JsonString(model.Text) + ",\"tooltip\":" + JsonString(model.Tooltip) +
           ",\"raised\":" + JsonBool(model.Bevel == PanelBevel::kRaised) +
           ",\"clickable\":" + JsonBool(model.Available && model.Usable) +
           ",\"width\":" + std::to_string(model.MinWidth) + '}';
  }
  out += ']';
}

const char* DialogName(AttributeDialog dialog) {
  switch (dialog) {
    case AttributeDialog::kPoint: return "PtAttribute";
    case AttributeDialog::kLine: return "LineAttribute";
    case AttributeDialog::kCircle: return "CircleAttribute";
    case AttributeDialog::kNumber: return "NumAttribute";
    case AttributeDialog::kBinding: return "SelGeoKindBounded";
    case AttributeDialog::kNone: break;
  }
  return "";
}

}  // namespace

std::string ProgramStateJson(Program& p, AttributeDialog dialog) {
  std::string out = "{\"caption\":" + JsonString(p.Window.Caption) + ",\"menu\":";
  AppendMenu(p.Menu.Items, out);
  out += ",\"status\":";
  AppendStatus(p.Status, out);
  out += ",\"popup\":" + JsonString(std::exchange(p.Window.PopupMenu, {}));
  out += ",\"dialog\":" + JsonString(DialogName(dialog));
  out += ",\"numberDialogs\":" + ShownNumberDialogsJson(p);
  out += ",\"changed\":" + JsonBool(FigureChanged(p));
  out += ",\"exit\":" + JsonBool(p.Window.ExitRequested);
  out += ",\"english\":" +
         JsonBool(ChosenLanguage(p.Lang.Language) == LanguageChoice::kEnglish) + '}';
  return out;
}

void AnswerAttributeDialog(Program& p, AttributeDialog dialog, bool ok) {
  switch (dialog) {
    case AttributeDialog::kPoint: ok ? PtAttributeOK(p) : PtAttributeCancel(p); break;
    case AttributeDialog::kLine: ok ? LineAttributeOK(p) : LineAttributeCancel(p); break;
    case AttributeDialog::kCircle: ok ? CircleAttributeOK(p) : CircleAttributeCancel(p); break;
    case AttributeDialog::kNumber: ok ? NumAttributeOK(p) : NumAttributeCancel(p); break;
    case AttributeDialog::kBinding:
      ok ? SelGeoKindBoundedOK(p) : SelGeoKindBoundedCancel(p);
      break;
    case AttributeDialog::kNone: break;
  }
}

std::string DialogJson(Program& p, std::string_view dialog) {
  if (dialog == "NewConstchk") {
    const NewConstchkTexts texts = NewConstchkDialogTexts(p.Lang);
    return "{\"caption\":" + JsonString(texts.Caption) + ",\"message\":" +
           JsonString(texts.Message) + ",\"yes\":" + JsonString(texts.YesButton) +
           ",\"save\":" + JsonString(texts.SaveButton) + ",\"cancel\":" +
           JsonString(texts.CancelButton) + '}';
  }
  if (dialog == "PDfrmAbout") {
    const AboutBoxTexts texts = AboutBox(p.Lang);
    return "{\"caption\":" + JsonString(texts.Caption) + ",\"title\":" + JsonString(texts.Title) +
           ",\"version\":" + JsonString(texts.Version) + ",\"ok\":" + JsonString(texts.OK) + '}';
  }
  if (dialog == "PDLanguage") {
    const LanguageDialogTexts texts = LanguageDialogCaptions(p.Lang);
    const LanguageDialogItems list = LanguageDialogList(p);
    std::string items;
    for (const std::string& item : list.Items) items += (items.empty() ? "" : ",") + JsonString(item);
    return "{\"caption\":" + JsonString(texts.Caption) + ",\"ok\":" + JsonString(texts.OK) +
           ",\"cancel\":" + JsonString(texts.Cancel) + ",\"items\":[" + items +
           "],\"current\":" + std::to_string(list.Current) + '}';
  }
  return "{}";
}

}  // namespace plandra
