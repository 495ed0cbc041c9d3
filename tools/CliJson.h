// The JSON document of `plandra-cli dump`, written as it is walked: a figure
// of thousands of steps never exists a second time as a tree in memory.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "figure/PDvar05.h"

namespace plandra {

// Compact JSON into a buffer that goes out in large pieces. Numbers and
// texts are written exactly as nlohmann::json's dump() writes them, so the
// document's bytes do not depend on how it is produced.
class JsonStream {
 public:
  explicit JsonStream(std::ostream& out);
  ~JsonStream();
  JsonStream(const JsonStream&) = delete;
  JsonStream& operator=(const JsonStream&) = delete;

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(std::string_view key);  // the next value belongs to it
  void Int(int64_t value);
  void Real(double value);  // shortest form that reads back; null when not finite
  void Bool(bool value);
  void Text(std::string_view text);
  void Flush();

 private:
  void BeforeValue();
  void Quoted(std::string_view text);

  std::ostream& out_;
  std::string buffer_;
  std::vector<bool> firstInLevel_;  // one per open object or array
  bool afterKey_ = false;
};

// The figure's steps and elements; keys keep the documented order.
void WriteFigureJson(std::ostream& out, const Figure& fig, const std::string& fileName);

}  // namespace plandra
