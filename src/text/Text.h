#pragma once
// Texts are GBK byte strings. Positions are 1-based byte positions and -1
// means "not found". Searches step through the searched text one character
// at a time: a byte below 0x80 is one character, a byte of 0x80 or above
// starts a two-byte character. A match therefore never begins on the second
// byte of a two-byte character.

#include <string>
#include <vector>

using Text = std::string;

// Bytes of the character that starts at position p: 2 for a byte of 0x80 or
// above with a byte after it, else 1; 0 when p is not a position inside t.
int CharacterLength(const Text& t, int p);

// Position of the first occurrence of m in t, or -1. An empty m is never found.
int find(const Text& t, const Text& m);
// The same, with the search starting at character position `from` (1-based).
int find(const Text& t, const Text& m, int from);
// Position of the last occurrence of m in t, or -1.
int findLast(const Text& t, const Text& m);
bool contains(const Text& t, const Text& m);

// The n bytes from position p, fewer if t ends first; empty when n <= 0 or p
// is not a position inside t.
Text mid(const Text& t, int p, int n);
// The first / last n bytes (all of t when n exceeds its length; empty when n <= 0).
Text left(const Text& t, int n);
Text right(const Text& t, int n);
int length(const Text& t);

// Every non-overlapping occurrence, scanning from the left and going on after
// each one. Removing or replacing an empty text changes nothing.
Text removeAll(const Text& t, const Text& m);
Text replaceAll(const Text& t, const Text& m, const Text& replacement);

// Blanks are the ASCII space and the full-width space (A1 A1); tabs, CR and
// LF are not blanks.
Text removeBlanks(const Text& t);
Text TrimBlanks(const Text& t);

// An empty text gives no parts; each separator ends a part (which may be
// empty); the rest after the last separator is a part only if it is not empty.
std::vector<Text> TextSplit(const Text& t, const Text& separator);

// Full-width digits, signs, points and spaces are folded to ASCII first; then
// the leading decimal number is read (white space skipped, optional sign,
// digits, and for TextToNumber a decimal point and an exponent). No number
// reads as 0. TextToInteger saturates at the 32-bit limits.
double TextToNumber(const Text& t);
int TextToInteger(const Text& t);

// Plain decimal, "-" before a negative value, no leading zeros, a whole
// number without decimals.
Text NumberToText(double value);
Text IntegerToText(long long value);
