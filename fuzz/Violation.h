#pragma once

namespace TvFuzz {

// Reports a broken invariant and aborts, so libFuzzer keeps the input that caused it.
[[noreturn]] void Violation(const char* what);

}  // namespace TvFuzz
