// The JSON document of `plandra-cli dump`.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "figure/PDvar05.h"

namespace plandra {

// Keys keep the documented order.
nlohmann::ordered_json FigureJson(const Figure& fig, const std::string& fileName);

}  // namespace plandra
