#pragma once

#include <string>
#include <utility>
#include <vector>

// A JSON document read strictly as RFC 8259 writes it: comments, trailing commas, bare words
// and text after the value are refused, so a file that passes here passes any host's reader.
struct JsonValue
{
  enum class Type
  {
    kNull,
    kBool,
    kNumber,
    kString,
    kArray,
    kObject
  };

  // False with the offset and cause in error for anything that is not one JSON value.
  static bool Parse(const std::string& text, JsonValue& value, std::string& error);

  // The member called name of an object; nullptr when there is none.
  const JsonValue* Member(const std::string& name) const;

  Type type = Type::kNull;
  bool boolean = false;
  double number = 0.0;
  std::string text;
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;
};
