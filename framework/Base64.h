#pragma once

#include <string>

// Standard base64 (alphabet A-Z a-z 0-9 + /, "=" padding).
namespace Base64 {
std::string Encode(const unsigned char* bytes, int size);

// Decodes up to the first character outside the alphabet (so the first "=" ends it) into
// out, which is zero-filled to outSize first; decoded bytes beyond outSize are dropped.
// Returns the number of bytes decoded into out.
int Decode(const char* text, unsigned char* out, int outSize);
}  // namespace Base64
