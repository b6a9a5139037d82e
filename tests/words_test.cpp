// Which words count as numbers, and what they read as.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "words.h"

namespace {

using fractrace::NumberStatus;

TEST(ParseInt32, WholeWordsOfDecimalDigitsWithinThirtyTwoBits) {
  struct Case {
    const char* word;
    NumberStatus status;
    int32_t value;
  };
  const Case cases[] = {
      {"5", NumberStatus::ok, 5},
      {"+5", NumberStatus::ok, 5},
      {"-5", NumberStatus::ok, -5},
      {"007", NumberStatus::ok, 7},
      {"2147483647", NumberStatus::ok, 2147483647},
      {"-2147483648", NumberStatus::ok, INT32_MIN},
      {"2147483648", NumberStatus::outOfRange, 0},
      {"-2147483649", NumberStatus::outOfRange, 0},
      {"99999999999999999999", NumberStatus::outOfRange, 0},
      {"5abc", NumberStatus::notANumber, 0},
      {"5.0", NumberStatus::notANumber, 0},
      {"1e3", NumberStatus::notANumber, 0},
      {"0x10", NumberStatus::notANumber, 0},
      {"+-5", NumberStatus::notANumber, 0},
      {"+", NumberStatus::notANumber, 0},
      {"-", NumberStatus::notANumber, 0},
      {"", NumberStatus::notANumber, 0},
  };
  for (const Case& c : cases) {
    const auto parsed = fractrace::parseInt32(c.word);
    EXPECT_EQ(parsed.status, c.status) << '"' << c.word << '"';
    if (c.status == NumberStatus::ok) {
      EXPECT_EQ(parsed.value, c.value) << c.word;
    }
  }
}

TEST(ParseReal, DecimalWordsWithAPointWhateverTheLocale) {
  struct Case {
    const char* word;
    NumberStatus status;
    double value;
  };
  const Case cases[] = {
      {"0.75", NumberStatus::ok, 0.75},
      {"+0.75", NumberStatus::ok, 0.75},
      {"-0.75", NumberStatus::ok, -0.75},
      {".5", NumberStatus::ok, 0.5},
      {"5.", NumberStatus::ok, 5.0},
      {"2", NumberStatus::ok, 2.0},
      {"1e3", NumberStatus::ok, 1000.0},
      {"1.5E-2", NumberStatus::ok, 0.015},
      {"1e999", NumberStatus::ok, HUGE_VAL},
      {"-1e999", NumberStatus::ok, -HUGE_VAL},
      {"1e-999", NumberStatus::ok, 0.0},
      {"0,75", NumberStatus::notANumber, 0},
      {"0.75mm", NumberStatus::notANumber, 0},
      {"inf", NumberStatus::notANumber, 0},
      {"nan", NumberStatus::notANumber, 0},
      {"0x1p3", NumberStatus::notANumber, 0},
      {".", NumberStatus::notANumber, 0},
      {"1e", NumberStatus::notANumber, 0},
      {"e5", NumberStatus::notANumber, 0},
      {"--1", NumberStatus::notANumber, 0},
  };
  for (const Case& c : cases) {
    const auto parsed = fractrace::parseReal(c.word);
    EXPECT_EQ(parsed.status, c.status) << '"' << c.word << '"';
    if (c.status == NumberStatus::ok) {
      EXPECT_EQ(parsed.value, c.value) << c.word;
    }
  }
}

TEST(ReadWord, SplitsOnAnyWhitespaceAndKeepsLongWordsWhole) {
  const std::string longWord(5000, 'Y');
  std::string text = " \t\r\n12\r\n0.75\v\f" + longWord + "\nlast";
  std::FILE* in = fmemopen(text.data(), text.size(), "r");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(fractrace::readWord(in), "12");
  EXPECT_EQ(fractrace::readWord(in), "0.75");
  EXPECT_EQ(fractrace::readWord(in), longWord);
  EXPECT_EQ(fractrace::readWord(in), "last");
  EXPECT_EQ(fractrace::readWord(in), std::nullopt);
  EXPECT_EQ(fractrace::readWord(in), std::nullopt);
  std::fclose(in);
}

}  // namespace
