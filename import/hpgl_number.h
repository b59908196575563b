#pragma once
// The numbers of a plotter file: the digits, '-' and '.' of one number, converted like a C
// integer conversion (sign, then digits up to the first other character), saturated at the
// 32-bit limits. A '.' or a further '-' ends the conversion (12.7 reads as 12, 5-3 as 5), but
// the characters still belong to the number. Both read from p, never past end, and leave p on
// the first character that is not the number's.

#include <cstdint>

// Eight characters at a time where the text allows: nearly every number of a plot file has
// fewer digits, and the loop per digit spent its time on the branch that ends it.
std::int32_t ReadHpglNumber(const unsigned char*& p, const unsigned char* end);
// A character at a time.
std::int32_t ReadHpglNumberPlain(const unsigned char*& p, const unsigned char* end);
