// What calibration files are accepted, what they read as, and how bad ones are refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "calibration.h"

namespace {

struct Outcome {
  std::optional<fractrace::Calibration> calibration;
  std::string console;
};

Outcome read(std::string content) {
  std::FILE* file = fmemopen(content.data(), content.size(), "r");
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  Outcome outcome{fractrace::readCalibration(file, out), ""};
  std::fclose(out);
  outcome.console.assign(text, size);
  std::free(text);
  std::fclose(file);
  return outcome;
}

TEST(Calibration, SixNumbersWhateverTheLayout) {
  const char* files[] = {
      "200 1.0 1\n333 2.0 0\n",
      "200 1.0 1 333 2.0 0",
      "200 1.0 1\r\n333 2.0 0\r\n",
      ("\xEF\xBB\xBF" "200 1.0 1\r\n333 2.0 0\r\n"),
      "  200\n\n1\n1\t333 2 0 and anything after the sixth number\n",
      "+200 1.0 +1 333 2e0 0",
  };
  for (const char* content : files) {
    const Outcome o = read(content);
    ASSERT_TRUE(o.calibration) << content << " -> " << o.console;
    EXPECT_EQ(o.console, "");
    EXPECT_EQ(o.calibration->x.steps, 200);
    EXPECT_EQ(o.calibration->x.mm, 1.0);
    EXPECT_EQ(o.calibration->x.dir, 1);
    EXPECT_EQ(o.calibration->y.steps, 333);
    EXPECT_EQ(o.calibration->y.mm, 2.0);
    EXPECT_EQ(o.calibration->y.dir, 0);
  }
}

TEST(Calibration, ZeroAndNegativeStepsAreAccepted) {
  const Outcome o = read("0 1.0 0 -200 -1.5 1");
  ASSERT_TRUE(o.calibration) << o.console;
  EXPECT_EQ(fractrace::stepsPerMm(o.calibration->x), 0.0);
  EXPECT_DOUBLE_EQ(fractrace::stepsPerMm(o.calibration->y), 200.0 / 1.5);
}

TEST(Calibration, BadFilesAreRefusedWithOneMessage) {
  struct Case {
    const char* content;
    const char* message;
  };
  const Case cases[] = {
      {"200 1.0 2 200 1.0 1", "dirx not 0 or 1"},
      {"200 1.0 -1 200 1.0 1", "dirx not 0 or 1"},
      {"200 1.0 2 200 1.0 2", "dirx not 0 or 1"},
      {"200 1.0 1 200 1.0 3", "diry not 0 or 1"},
      {"", "stepsx missing in stepcfg2.txt"},
      {"\xEF\xBB\xBF", "stepsx missing in stepcfg2.txt"},
      {"200 1.0 1 200 1.0", "diry missing in stepcfg2.txt"},
      {"200 1.0 1\n200\n", "mmy missing in stepcfg2.txt"},
      {"200 1,0 1 200 1.0 1", "mmx not a number"},
      {"200.5 1.0 1 200 1.0 1", "stepsx not a whole number"},
      {"200 1.0 1 abc 1.0 1", "stepsy not a whole number"},
      {"\xEF" "200 1.0 1 200 1.0 1", "stepsx not a whole number"},
      {"\xEF\xBB" "200 1.0 1 200 1.0 1", "stepsx not a whole number"},
      {"4294967496 1.0 1 200 1.0 1", "stepsx out of range"},
      {"200 1.0 4294967297 200 1.0 1", "dirx out of range"},
      {"200 0 1 200 1.0 1", "mmx is 0"},
      {"200 1.0 1 200 -0.0 1", "mmy is 0"},
      {"200 1e999 1 200 1.0 1", "mmx not a finite number"},
      {"200 1.0 1 200 1e-310 1", "stepsy/mmy not a finite number of steps per mm"},
  };
  for (const Case& c : cases) {
    const Outcome o = read(c.content);
    EXPECT_FALSE(o.calibration) << c.content;
    EXPECT_EQ(o.console, std::string("\n\n") + c.message + ". Program terminated.\n\n")
        << c.content;
  }
}

}  // namespace
