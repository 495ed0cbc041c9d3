#include "CliJson.h"

#include <array>
#include <cmath>
#include <nlohmann/json.hpp>

namespace plandra {

namespace {

constexpr size_t kFlushSize = 1 << 16;

// Texts that need no escape and no UTF-8 check go out as they are; the rare
// others take the library's own escaping, which also replaces invalid UTF-8
// rather than failing on it.
bool PlainAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c >= 0x80 || c == '"' || c == '\\') return false;
  }
  return true;
}

}  // namespace

JsonStream::JsonStream(std::ostream& out) : out_(out) { buffer_.reserve(kFlushSize + 256); }

JsonStream::~JsonStream() { Flush(); }

void JsonStream::Flush() {
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

void JsonStream::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
  } else if (!firstInLevel_.empty()) {
    if (!firstInLevel_.back()) buffer_ += ',';
    firstInLevel_.back() = false;
  }
  if (buffer_.size() >= kFlushSize) Flush();
}

void JsonStream::BeginObject() {
  BeforeValue();
  buffer_ += '{';
  firstInLevel_.push_back(true);
}

void JsonStream::EndObject() {
  firstInLevel_.pop_back();
  buffer_ += '}';
}

void JsonStream::BeginArray() {
  BeforeValue();
  buffer_ += '[';
  firstInLevel_.push_back(true);
}

void JsonStream::EndArray() {
  firstInLevel_.pop_back();
  buffer_ += ']';
}

void JsonStream::Key(std::string_view key) {
  BeforeValue();
  Quoted(key);
  buffer_ += ':';
  afterKey_ = true;
}

void JsonStream::Int(int64_t value) {
  BeforeValue();
  buffer_ += std::to_string(value);
}

void JsonStream::Real(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    buffer_ += "null";
    return;
  }
  // The library's own shortest round-trip form, so the digits match its dump.
  std::array<char, 64> digits{};
  char* begin = digits.data();
  const char* end = nlohmann::detail::to_chars(begin, begin + digits.size(), value);
  buffer_.append(begin, static_cast<size_t>(end - begin));
}

void JsonStream::Bool(bool value) {
  BeforeValue();
  buffer_ += value ? "true" : "false";
}

void JsonStream::Text(std::string_view text) {
  BeforeValue();
  Quoted(text);
}

void JsonStream::Quoted(std::string_view text) {
  if (PlainAscii(text)) {
    buffer_ += '"';
    buffer_ += text;
    buffer_ += '"';
    return;
  }
  buffer_ += nlohmann::json(std::string(text))
                 .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

namespace {

void Field(JsonStream& json, std::string_view key, int64_t value) {
  json.Key(key);
  json.Int(value);
}

void RealField(JsonStream& json, std::string_view key, double value) {
  json.Key(key);
  json.Real(value);
}

void BoolField(JsonStream& json, std::string_view key, bool value) {
  json.Key(key);
  json.Bool(value);
}

void TextField(JsonStream& json, std::string_view key, std::string_view value) {
  json.Key(key);
  json.Text(value);
}

// The used slots up to the first empty one, as stored.
void SlotList(JsonStream& json, std::string_view key, const StepRefs& refs) {
  json.Key(key);
  json.BeginArray();
  for (int k = 1; k <= 5; ++k) {
    if (refs[k].Class == 0 && refs[k].Index == 0) break;
    json.BeginArray();
    json.Int(refs[k].Class);
    json.Int(refs[k].Index);
    json.EndArray();
  }
  json.EndArray();
}

void Steps(JsonStream& json, const Figure& fig) {
  json.Key("steps");
  json.BeginArray();
  for (int s = 1; s <= fig.StepCount; ++s) {
    json.BeginObject();
    Field(json, "index", s);
    TextField(json, "kind", StepKindText(fig, s));
    SlotList(json, "in", fig.StepIn[s]);
    SlotList(json, "out", fig.StepOut[s]);
    Field(json, "state", fig.StepState[s]);
    BoolField(json, "rev", fig.StepRev[s] != 0);
    json.EndObject();
  }
  json.EndArray();
}

// One array of an element table: each entry opens with its index and name,
// then the fields that belong to its class.
template <typename Table, typename MoreFields>
void Elements(JsonStream& json, std::string_view key, int count, const Table& table,
              MoreFields moreFields) {
  json.Key(key);
  json.BeginArray();
  for (int i = 1; i <= count; ++i) {
    json.BeginObject();
    Field(json, "index", i);
    TextField(json, "name", TrimRight(table[i].Name));
    moreFields(table[i]);
    json.EndObject();
  }
  json.EndArray();
}

void Numbers(JsonStream& json, const Figure& fig) {
  Elements(json, "numbers", fig.ElemCount[kClassNumber], fig.NumTable, [&json](const NumRec& n) {
    RealField(json, "value", n.Value);
    BoolField(json, "exists", n.Exists != 0);
    BoolField(json, "independent", n.NumFlag != 0);
    TextField(json, "expr", TrimRight(n.Expr));
    BoolField(json, "shown", n.NumShow == 0);
  });
}

void Points(JsonStream& json, const Figure& fig) {
  Elements(json, "points", fig.ElemCount[kClassPoint], fig.PtTable, [&json](const PtRec& p) {
    RealField(json, "x", p.X);
    RealField(json, "y", p.Y);
    BoolField(json, "exists", p.Exists != 0);
    Field(json, "color", p.Color);
    Field(json, "style", p.Style);
    Field(json, "mark", p.Mark);
    Field(json, "boundMode", p.BoundMode);
    Field(json, "hostClass", p.HostClass);
    Field(json, "hostIndex", p.HostIndex);
    RealField(json, "param", p.Param);
  });
}

void Lines(JsonStream& json, const Figure& fig) {
  Elements(json, "lines", fig.ElemCount[kClassLine], fig.LnTable, [&json](const LnRec& l) {
    RealField(json, "x1", l.X1);
    RealField(json, "y1", l.Y1);
    RealField(json, "x2", l.X2);
    RealField(json, "y2", l.Y2);
    RealField(json, "dx", l.DX);
    RealField(json, "dy", l.DY);
    BoolField(json, "exists", l.Exists != 0);
    Field(json, "lineKind", l.LineKind);
    Field(json, "color", l.Color);
    Field(json, "style", l.Style);
  });
}

void Circles(JsonStream& json, const Figure& fig) {
  Elements(json, "circles", fig.ElemCount[kClassCircle], fig.CirTable, [&json](const CirRec& c) {
    RealField(json, "cx", c.CX);
    RealField(json, "cy", c.CY);
    RealField(json, "r", c.R);
    BoolField(json, "exists", c.Exists != 0);
    Field(json, "color", c.Color);
    Field(json, "style", c.Style);
  });
}

}  // namespace

void WriteFigureJson(std::ostream& out, const Figure& fig, const std::string& fileName) {
  JsonStream json(out);
  json.BeginObject();
  TextField(json, "file", fileName);
  Field(json, "passCount", fig.PassCount);
  Steps(json, fig);
  Numbers(json, fig);
  Points(json, fig);
  Lines(json, fig);
  Circles(json, fig);
  json.EndObject();
}

}  // namespace plandra
