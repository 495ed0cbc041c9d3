// The attribute and binding dialogs for the page: each model as a form of
// labelled controls (JSON), and the page's edits written back into the
// model field by field before its OK, so that the core's own OK decides.
#pragma once

#include <string>
#include <string_view>

#include "core/attributes/PDAttribute.h"

namespace plandra {

struct Program;

std::string AttributeFormJson(Program& p, AttributeDialog dialog);

// Writes the value the page holds for a control of the dialog's model: a
// text, or a list position / option (0 or 1) as digits. False for a control
// the dialog does not have.
bool SetAttributeField(Program& p, AttributeDialog dialog, std::string_view field,
                       std::string_view value);

// What the name fields have left as the model stands, and its counter text.
int AttributeRoom(Program& p, AttributeDialog dialog);
std::string AttributeRoomText(Program& p, AttributeDialog dialog);

}  // namespace plandra
