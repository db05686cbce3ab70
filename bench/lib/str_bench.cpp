// String buffer speed against std::u16string doing the same work: building a text from many small
// appends, and matching switches with ASCII case folding. After the runs it prints the ratio of each
// pair (string buffer time / std::u16string time) with its target.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <string_view>

#include "base/str/strbuffer/StrBuffer.h"

using s::str::strbuffer::StrBuffer;

namespace {

constexpr const char16_t* kPieces[] = {u"Software", u"\\", u"Tarn", u"\\", u"Tarn Vesper", u"\\", u"SaveData", u"x"};
constexpr int kRounds = 64;

void appendStrBuffer(benchmark::State& state) {
  for (auto _ : state) {
    StrBuffer* text = StrBuffer::acquire();
    for (int round = 0; round < kRounds; ++round) {
      for (const char16_t* piece : kPieces) text->appendText(piece);
      text->appendChar(u';');
    }
    benchmark::DoNotOptimize(text->getChars());
    text->release();
  }
}
BENCHMARK(appendStrBuffer);

void appendU16String(benchmark::State& state) {
  for (auto _ : state) {
    std::u16string text;
    for (int round = 0; round < kRounds; ++round) {
      for (const char16_t* piece : kPieces) text.append(piece);
      text.push_back(u';');
    }
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(appendU16String);

// Command-line style arguments matched against the switch table, as start-up does.
constexpr const char16_t* kSwitches[] = {u"-install", u"-uninstall", u"-suspend", u"-hibernate",
                                         u"-logoff", u"-reboot", u"-shutdown"};
constexpr const char16_t* kArguments[] = {u"-SHUTDOWN", u"-Reboot", u"-suspendx", u"-logoff", u"-hib"};

void regionMatchesIgnoreCaseStrBuffer(benchmark::State& state) {
  StrBuffer* arguments[std::size(kArguments)];
  for (size_t i = 0; i < std::size(kArguments); ++i) arguments[i] = StrBuffer::acquireText(kArguments[i]);
  for (auto _ : state) {
    int matches = 0;
    for (StrBuffer* argument : arguments)
      for (const char16_t* name : kSwitches) matches += argument->regionMatchesIgnoreCase(0, name, 0, -1);
    benchmark::DoNotOptimize(matches);
  }
  for (StrBuffer* argument : arguments) argument->release();
}
BENCHMARK(regionMatchesIgnoreCaseStrBuffer);

// The same test on std::u16string: the whole switch must match, A-Z folded.
bool matchesIgnoreCase(const std::u16string& text, const char16_t* name) {
  std::u16string_view other(name);
  if (other.size() != text.size()) return false;
  for (size_t i = 0; i < other.size(); ++i) {
    char16_t a = text[i], b = other[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
    if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b + 32);
    if (a != b) return false;
  }
  return true;
}

void regionMatchesIgnoreCaseU16String(benchmark::State& state) {
  std::u16string arguments[std::size(kArguments)];
  for (size_t i = 0; i < std::size(kArguments); ++i) arguments[i] = kArguments[i];
  for (auto _ : state) {
    int matches = 0;
    for (const std::u16string& argument : arguments)
      for (const char16_t* name : kSwitches) matches += matchesIgnoreCase(argument, name);
    benchmark::DoNotOptimize(matches);
  }
}
BENCHMARK(regionMatchesIgnoreCaseU16String);

// Shows the usual console output and keeps each run's CPU time per iteration for the ratios (CPU
// time, since other work may share the machine).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) times[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }

  void printRatio(const char* label, const std::string& ours, const std::string& theirs, double target) const {
    auto a = times.find(ours);
    auto b = times.find(theirs);
    if (a == times.end() || b == times.end() || b->second <= 0) {
      std::printf("%s ratio: not measured (target <= %.1f)\n", label, target);
      return;
    }
    std::printf("%s ratio: %.2f (target <= %.1f)\n", label, a->second / b->second, target);
  }

 private:
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("append", "appendStrBuffer", "appendU16String", 1.5);
  reporter.printRatio("regionMatchesIgnoreCase", "regionMatchesIgnoreCaseStrBuffer",
                      "regionMatchesIgnoreCaseU16String", 2.0);
  benchmark::Shutdown();
  return 0;
}
