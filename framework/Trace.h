#pragma once

// The framework's trace hook. It is called at fixed points (function name, source line,
// format and arguments) so a debugging build can observe them, but it formats and writes
// nothing: the plug-in logs nothing inside a host.
inline void Trace(const char* /*function*/, int /*line*/, const char* /*format*/, ...) {}

#define TV_TRACE(...) Trace(__func__, __LINE__, __VA_ARGS__)
