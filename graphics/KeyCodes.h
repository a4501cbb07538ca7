#pragma once

// Key codes delivered to controls by KeyPress.
enum KeyCode : int
{
  kKeySpace = 0,
  kKeyUp = 1,
  kKeyDown = 2,
  kKeyLeft = 3,
  kKeyRight = 4,
  kKeyDigit0 = 5,    // "0".."9" -> 5..14
  kKeyLetterA = 15,  // "A".."Z" in either case -> 15..40
  kKeyNone = -1
};
