#include "formats/score_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zenphal {
namespace {

void AppendWholeNumber(long long v, std::string& text) {
  if (v < 0) {
    text.push_back('-');
    v = -v;
  }
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n > 0) text.push_back(digits[--n]);
}

}  // namespace

void AppendShortDecimal(int16_t v, std::string& text) { AppendWholeNumber(v, text); }

void AppendScoreText(float v, std::string& text) {
  if (v == 0.0f) {
    text.push_back('0');
    return;
  }
  if (std::isnan(v) || std::isinf(v)) {
    text += std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
    return;
  }
  if (v < 0.0f) {
    text.push_back('-');
    v = -v;
  }
  const double whole = std::floor(static_cast<double>(v));
  if (whole == std::ceil(static_cast<double>(v))) {
    AppendWholeNumber(static_cast<long long>(whole), text);
    return;
  }
  AppendWholeNumber(static_cast<long long>(whole), text);
  text.push_back('.');
  const int thousandths = static_cast<int>((static_cast<double>(v) - whole) * 1000.0);
  text.push_back(static_cast<char>('0' + thousandths / 100));
  text.push_back(static_cast<char>('0' + thousandths / 10 % 10));
  text.push_back(static_cast<char>('0' + thousandths % 10));
}

float ParseScoreText(std::string_view s) {
  if (s.empty()) return 0.0f;
  // 32-bit accumulators that wrap like the originals rather than overflow.
  uint32_t a = 0;
  size_t i = 0;
  for (; i < s.size() && s[i] != '.'; ++i) a = a * 10u + static_cast<uint32_t>(static_cast<unsigned char>(s[i]) - 48u);
  if (i == s.size()) return static_cast<float>(static_cast<int32_t>(a));
  uint32_t f = 0;
  int k = 0;
  for (++i; i < s.size() && s[i] != ' '; ++i, ++k) {
    f = f * 10u + static_cast<uint32_t>(static_cast<unsigned char>(s[i]) - 48u);
  }
  double fraction = static_cast<int32_t>(f);
  for (int digit = 0; digit < k; ++digit) fraction *= static_cast<double>(0.1f);
  return static_cast<float>(static_cast<int32_t>(a) + fraction);
}

bool IsScoreText(std::string_view s) {
  int before = 0, after = 0;
  bool point = false;
  for (char c : s) {
    if (c == '.') {
      if (point) return false;
      point = true;
    } else if (c >= '0' && c <= '9') {
      (point ? after : before) += 1;
    } else {
      return false;
    }
  }
  return before + after > 0 && before <= 9 && after <= 9;
}

std::string_view TrimScoreText(std::string_view s) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::optional<float> ReadScoreField(std::string_view s) {
  const std::string_view trimmed = TrimScoreText(s);
  if (!IsScoreText(trimmed)) return std::nullopt;
  return ParseScoreText(trimmed);
}

double ShortestDecimalOf(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value);
  *result.ptr = '\0';
  return std::strtod(buffer, nullptr);
}

std::string ShortestDecimalText(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace zenphal
