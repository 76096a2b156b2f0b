// Reading and writing one field element's bytes as text, whole number or real, with the
// runtime's assignment conversions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "zqruntime/record.h"

namespace zq::rt::field {

std::string ReadText(const Field& f, const std::byte* p);
int64_t ReadWhole(const Field& f, const std::byte* p);
double ReadReal(const Field& f, const std::byte* p);

void WriteText(const Field& f, std::byte* p, std::string_view text);
void WriteWhole(const Field& f, std::byte* p, int64_t value);
void WriteReal(const Field& f, std::byte* p, double value);

// The text of a blank-padded STRING or zero-ended CSTRING element, without trailing blanks.
std::string_view ClippedText(const Field& f, const std::byte* p);

// The decimal value of a text (blanks around it allowed); 0 when it is not a number.
int64_t ParseWhole(std::string_view text);
double ParseReal(std::string_view text);

}  // namespace zq::rt::field
