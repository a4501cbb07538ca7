#include "tests/vst3/JsonValue.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

class JsonParser
{
public:
  explicit JsonParser(const std::string& text) : mText(text) {}

  bool Document(JsonValue& value, std::string& error)
  {
    const bool parsed = Value(value) && (SkipSpace(), mPosition == mText.size());
    if (!parsed)
      error = "not JSON at offset " + std::to_string(mPosition);
    return parsed;
  }

private:
  bool Value(JsonValue& value)
  {
    SkipSpace();
    if (mPosition >= mText.size())
      return false;
    switch (mText[mPosition])
    {
      case '{':
        return Object(value);
      case '[':
        return Array(value);
      case '"':
        value.type = JsonValue::Type::kString;
        return String(value.text);
      case 't':
        value.type = JsonValue::Type::kBool;
        value.boolean = true;
        return Word("true");
      case 'f':
        value.type = JsonValue::Type::kBool;
        return Word("false");
      case 'n':
        return Word("null");
      default:
        value.type = JsonValue::Type::kNumber;
        return Number(value.number);
    }
  }

  bool Object(JsonValue& value)
  {
    value.type = JsonValue::Type::kObject;
    ++mPosition;
    if (Next('}'))
      return true;
    do
    {
      std::pair<std::string, JsonValue> member;
      SkipSpace();
      if (!String(member.first) || !Next(':') || !Value(member.second))
        return false;
      value.members.push_back(std::move(member));
    } while (Next(','));
    return Next('}');
  }

  bool Array(JsonValue& value)
  {
    value.type = JsonValue::Type::kArray;
    ++mPosition;
    if (Next(']'))
      return true;
    do
    {
      value.items.emplace_back();
      if (!Value(value.items.back()))
        return false;
    } while (Next(','));
    return Next(']');
  }

  // Escapes other than \uXXXX stand for one character each; \u escapes outside ASCII are
  // kept as written, which is enough to compare the ASCII text of a module description.
  bool String(std::string& out)
  {
    if (mPosition >= mText.size() || mText[mPosition] != '"')
      return false;
    for (++mPosition; mPosition < mText.size(); ++mPosition)
    {
      const char c = mText[mPosition];
      if (c == '"')
      {
        ++mPosition;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20)
        return false;
      if (c != '\\')
      {
        out += c;
        continue;
      }
      if (++mPosition >= mText.size())
        return false;
      const char escaped = mText[mPosition];
      const char* const kSimple = "\"\\/bfnrt";
      const char* const kMeaning = "\"\\/\b\f\n\r\t";
      const char* simple = escaped == '\0' ? nullptr : std::strchr(kSimple, escaped);
      if (simple != nullptr)
      {
        out += kMeaning[simple - kSimple];
      }
      else if (escaped == 'u' && IsHex(mText.substr(mPosition + 1, 4)))
      {
        out += Unicode(mText.substr(mPosition + 1, 4));
        mPosition += 4;
      }
      else
      {
        return false;
      }
    }
    return false;
  }

  static bool IsHex(const std::string& digits)
  {
    return digits.size() == 4 &&
           std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
  }

  static std::string Unicode(const std::string& digits)
  {
    char* end = nullptr;
    const long code = std::strtol(digits.c_str(), &end, 16);
    return code < 0x80 ? std::string(1, static_cast<char>(code)) : "\\u" + digits;
  }

  bool Number(double& number)
  {
    const size_t start = mPosition;
    Take('-');
    const size_t integer = mPosition;
    if (!Digits() || (mText[integer] == '0' && mPosition - integer > 1))
      return false;
    if (Take('.') && !Digits())
      return false;
    if (Take('e') || Take('E'))
    {
      if (!Take('+'))
        Take('-');
      if (!Digits())
        return false;
    }
    number = std::strtod(mText.substr(start, mPosition - start).c_str(), nullptr);
    return true;
  }

  bool Digits()
  {
    const size_t start = mPosition;
    while (mPosition < mText.size() && mText[mPosition] >= '0' && mText[mPosition] <= '9')
      ++mPosition;
    return mPosition > start;
  }

  bool Word(const char* word)
  {
    const size_t length = std::strlen(word);
    if (mText.compare(mPosition, length, word) != 0)
      return false;
    mPosition += length;
    return true;
  }

  // Takes c when it comes next.
  bool Take(char c)
  {
    if (mPosition < mText.size() && mText[mPosition] == c)
    {
      ++mPosition;
      return true;
    }
    return false;
  }

  // Skips white space, then takes c when it comes next.
  bool Next(char c)
  {
    SkipSpace();
    return Take(c);
  }

  void SkipSpace()
  {
    while (Take(' ') || Take('\t') || Take('\r') || Take('\n'))
    {
    }
  }

  const std::string& mText;
  size_t mPosition = 0;
};

}  // namespace

bool JsonValue::Parse(const std::string& text, JsonValue& value, std::string& error)
{
  value = JsonValue();
  return JsonParser(text).Document(value, error);
}

const JsonValue* JsonValue::Member(const std::string& name) const
{
  for (const auto& member : members)
    if (member.first == name)
      return &member.second;
  return nullptr;
}
