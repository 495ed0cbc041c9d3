#include "AttributeForm.h"

#include <charconv>
#include <climits>
#include <utility>
#include <vector>

#include "core/Program.h"
#include "persist/JsonText.h"

namespace plandra {
namespace {

// One control of a form: what it is called, how the page shows it and where
// its value lives in the model.
struct Control {
  std::string Name;
  std::string Label;
  std::string* Text = nullptr;
  ListControl* List = nullptr;
  bool* Option = nullptr;  // a pair of options: this one and its opposite
  bool* Opposite = nullptr;
  std::string OptionTexts[2];
  bool ReadOnly = false;
  bool Visible = true;
  std::string Note;
  std::string Named;  // what a screen reader calls a control shown without a label
};

Control Made(std::string name, std::string label, std::string* text = nullptr) {
  Control c;
  c.Name = std::move(name);
  c.Label = std::move(label);
  c.Text = text;
  return c;
}

void NameRow(std::vector<Control>& rows, const std::string& label, std::string& name,
             const std::string& note) {
  Control c = Made("TextName", label, &name);
  c.ReadOnly = !note.empty();
  c.Note = note;
  rows.push_back(c);
}

void ListRow(std::vector<Control>& rows, const char* name, const std::string& label,
             ListControl& list) {
  Control c = Made(name, label);
  c.List = &list;
  c.Visible = list.Visible;
  rows.push_back(c);
}

// The name, colour and locus rows every drawn element's dialog opens with.
template <class Model>
std::vector<Control> DrawnRows(Model& m) {
  std::vector<Control> rows;
  NameRow(rows, m.LabelName, m.TextName, m.NameNote);
  ListRow(rows, "ComboClr", m.LabelClr, m.ComboClr);
  ListRow(rows, "ComboLocus", m.LabelLocus, m.ComboLocus);
  return rows;
}

std::vector<Control> PointRows(PtAttributeModel& m) {
  std::vector<Control> rows = DrawnRows(m);
  ListRow(rows, "ComboKind", m.LabelKind, m.ComboKind);
  ListRow(rows, "ComboIndependent", m.LabelIndependent, m.ComboIndependent);
  ListRow(rows, "Combo_Event", m.LabelEvent, m.Combo_Event);
  Control event = Made("Text_Event", "", &m.Text_Event);
  event.Named = m.LabelEvent;
  event.Visible = m.Combo_Event.Visible;
  rows.push_back(event);
  return rows;
}

std::vector<Control> LineRows(LineAttributeModel& m) {
  std::vector<Control> rows = DrawnRows(m);
  ListRow(rows, "ComboKind", m.LabelKind, m.ComboKind);
  return rows;
}

std::vector<Control> NumberRows(NumAttributeModel& m, LangState& lang) {
  std::vector<Control> rows;
  NameRow(rows, m.LabelName, m.TextName, m.NameNote);
  Control attr = Made("TextAttr", m.LabelAttr, &m.TextAttr);
  attr.ReadOnly = true;
  rows.push_back(attr);
  Control value = Made("TextVal", "", &m.TextVal);
  value.Named = Translate(lang, "値");
  value.ReadOnly = !m.TextValEnabled;
  rows.push_back(value);
  Control shown = Made("OptionVisible", "");
  shown.Option = &m.OptionVisible;
  shown.Opposite = &m.OptionNotVisible;
  shown.OptionTexts[0] = m.OptionVisibleText;
  shown.OptionTexts[1] = m.OptionNotVisibleText;
  shown.ReadOnly = !m.OptionsEnabled;
  shown.Named = m.OptionVisibleText;
  rows.push_back(shown);
  return rows;
}

std::vector<Control> BindingRows(SelGeoKindBoundedModel& m) {
  std::vector<Control> rows;
  ListRow(rows, "ListKind", "", m.ListKind);
  rows.back().Named = m.Texts.Caption;
  return rows;
}

std::vector<Control> RowsOf(Program& p, AttributeDialog dialog) {
  AttributeState& a = p.Attr;
  switch (dialog) {
    case AttributeDialog::kPoint: return PointRows(a.Point);
    case AttributeDialog::kLine: return LineRows(a.Line);
    case AttributeDialog::kCircle: return DrawnRows(a.Circle);
    case AttributeDialog::kNumber: return NumberRows(a.Number, p.Lang);
    case AttributeDialog::kBinding: return BindingRows(a.Binding);
    case AttributeDialog::kNone: break;
  }
  return {};
}

const DialogTexts* TextsOf(AttributeState& a, AttributeDialog dialog) {
  switch (dialog) {
    case AttributeDialog::kPoint: return &a.Point.Texts;
    case AttributeDialog::kLine: return &a.Line.Texts;
    case AttributeDialog::kCircle: return &a.Circle.Texts;
    case AttributeDialog::kNumber: return &a.Number.Texts;
    case AttributeDialog::kBinding: return &a.Binding.Texts;
    case AttributeDialog::kNone: break;
  }
  return nullptr;
}

std::string ControlJson(const Control& c) {
  std::string out = "{\"name\":" + JsonString(c.Name) + ",\"label\":" + JsonString(c.Label) +
                    ",\"readonly\":" + JsonBool(c.ReadOnly) + ",\"visible\":" +
                    JsonBool(c.Visible) + ",\"note\":" + JsonString(c.Note) +
                    ",\"named\":" + JsonString(c.Named);
  if (c.Text != nullptr) out += ",\"text\":" + JsonString(*c.Text);
  if (c.List != nullptr) {
    out += ",\"index\":" + std::to_string(c.List->ListIndex) + ",\"items\":[";
    for (size_t i = 0; i < c.List->Items.size(); ++i) {
      out += (i ? "," : "") + JsonString(c.List->Items[i]);
    }
    out += "]";
  }
  if (c.Option != nullptr) {
    out += ",\"option\":" + JsonBool(*c.Option) + ",\"options\":[" + JsonString(c.OptionTexts[0]) +
           "," + JsonString(c.OptionTexts[1]) + "]";
  }
  return out + "}";
}

}  // namespace

std::string AttributeFormJson(Program& p, AttributeDialog dialog) {
  const DialogTexts* texts = TextsOf(p.Attr, dialog);
  if (texts == nullptr) return "{}";
  std::string out = "{\"caption\":" + JsonString(texts->Caption) + ",\"ok\":" +
                    JsonString(texts->CommandOK) + ",\"cancel\":" +
                    JsonString(texts->CommandCancel) + ",\"rows\":[";
  const std::vector<Control> rows = RowsOf(p, dialog);
  for (size_t i = 0; i < rows.size(); ++i) out += (i ? "," : "") + ControlJson(rows[i]);
  return out + "],\"room\":" + JsonString(AttributeRoomText(p, dialog)) + "}";
}

bool SetAttributeField(Program& p, AttributeDialog dialog, std::string_view field,
                       std::string_view value) {
  for (const Control& c : RowsOf(p, dialog)) {
    if (c.Name != field || c.ReadOnly) continue;
    int number = 0;
    const bool digits = std::from_chars(value.data(), value.data() + value.size(), number).ec ==
                        std::errc{};
    if (c.Text != nullptr) {
      *c.Text = std::string(value);
    } else if (c.List != nullptr && digits && number >= -1 &&
               number < static_cast<int>(c.List->Items.size())) {
      c.List->ListIndex = number;
    } else if (c.Option != nullptr && digits) {
      *c.Option = number != 0;
      *c.Opposite = number == 0;
    } else {
      return false;
    }
    return true;
  }
  return false;
}

int AttributeRoom(Program& p, AttributeDialog dialog) {
  switch (dialog) {
    case AttributeDialog::kPoint: return RoomLeft(p.Attr.Point);
    case AttributeDialog::kLine: return RoomLeft(p.Attr.Line);
    case AttributeDialog::kCircle: return RoomLeft(p.Attr.Circle);
    case AttributeDialog::kNumber: return RoomLeft(p.Attr.Number);
    case AttributeDialog::kBinding:
    case AttributeDialog::kNone: break;
  }
  return INT_MAX;
}

std::string AttributeRoomText(Program& p, AttributeDialog dialog) {
  if (dialog == AttributeDialog::kBinding || dialog == AttributeDialog::kNone) return "";
  return RoomText(p.Lang, AttributeRoom(p, dialog));
}

}  // namespace plandra
