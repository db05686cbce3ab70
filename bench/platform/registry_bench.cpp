// The native registry against raw SQLite with the same durability settings (WAL, synchronous FULL,
// one transaction per write): value writes and reads per second, and opening a key five levels deep.
// Prints the ratios at the end of the run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>
#include <win/ntdll.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

std::string folder;

std::u16string wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::u16string userRoot() { return u"\\Registry\\User\\S-1-22-1-" + wide(std::to_string(geteuid())); }

UNICODE_STRING counted(const std::u16string& text) {
  UNICODE_STRING s;
  s.Length = static_cast<USHORT>(text.size() * 2);
  s.MaximumLength = s.Length;
  s.Buffer = const_cast<char16_t*>(text.data());
  return s;
}

HANDLE createKey(const std::u16string& name) {
  UNICODE_STRING s = counted(name);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &s, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  HANDLE h = nullptr;
  NtCreateKey(&h, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr);
  return h;
}

HANDLE benchKey() {
  static HANDLE key = [] {
    std::u16string name = userRoot();
    HANDLE h = nullptr;
    for (const char16_t* part : {u"\\Software", u"\\Tarn", u"\\Tarn Vesper", u"\\SaveData", u"\\Bench"}) {
      if (h) NtClose(h);
      name += part;
      h = createKey(name);
    }
    return h;
  }();
  return key;
}

sqlite3* rawDatabase() {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open((folder + "/raw.db").c_str(), &d);
    sqlite3_busy_timeout(d, 10000);
    sqlite3_exec(d, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;"
                    "CREATE TABLE IF NOT EXISTS vals(key_id INTEGER, name TEXT, type INTEGER, data BLOB,"
                    " PRIMARY KEY(key_id, name))",
                 nullptr, nullptr, nullptr);
    return d;
  }();
  return db;
}

void NativeValueWrite(benchmark::State& state) {
  HANDLE key = benchKey();
  std::u16string nameText = u"Value";
  UNICODE_STRING name = counted(nameText);
  DWORD value = 0;
  for (auto _ : state) {
    ++value;  // a different value each time, so every call really writes
    if (NtSetValueKey(key, &name, 0, REG_DWORD, &value, sizeof value) != STATUS_SUCCESS) state.SkipWithError("write");
  }
  state.SetItemsProcessed(state.iterations());
}

void RawValueWrite(benchmark::State& state) {
  sqlite3* db = rawDatabase();
  sqlite3_stmt *begin, *insert, *commit;
  sqlite3_prepare_v2(db, "BEGIN IMMEDIATE", -1, &begin, nullptr);
  sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO vals VALUES (1, 'Value', 4, ?1)", -1, &insert, nullptr);
  sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr);
  DWORD value = 0;
  for (auto _ : state) {
    ++value;
    sqlite3_step(begin);
    sqlite3_reset(begin);
    sqlite3_bind_blob(insert, 1, &value, sizeof value, SQLITE_STATIC);
    if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError("insert");
    sqlite3_reset(insert);
    sqlite3_step(commit);
    sqlite3_reset(commit);
  }
  sqlite3_finalize(begin);
  sqlite3_finalize(insert);
  sqlite3_finalize(commit);
  state.SetItemsProcessed(state.iterations());
}

void NativeValueRead(benchmark::State& state) {
  HANDLE key = benchKey();
  std::u16string nameText = u"Value";
  UNICODE_STRING name = counted(nameText);
  DWORD value = 7;
  NtSetValueKey(key, &name, 0, REG_DWORD, &value, sizeof value);
  alignas(8) unsigned char buffer[64];
  ULONG length = 0;
  for (auto _ : state) {
    if (NtQueryValueKey(key, &name, KeyValuePartialInformation, buffer, sizeof buffer, &length) != STATUS_SUCCESS)
      state.SkipWithError("read");
    benchmark::DoNotOptimize(buffer);
  }
  state.SetItemsProcessed(state.iterations());
}

void RawValueRead(benchmark::State& state) {
  sqlite3* db = rawDatabase();
  sqlite3_stmt* select;
  sqlite3_prepare_v2(db, "SELECT type, data FROM vals WHERE key_id = 1 AND name = ?1", -1, &select, nullptr);
  unsigned char buffer[64];
  for (auto _ : state) {
    sqlite3_bind_text(select, 1, "Value", 5, SQLITE_STATIC);
    if (sqlite3_step(select) != SQLITE_ROW) state.SkipWithError("select");
    std::memcpy(buffer, sqlite3_column_blob(select, 1), static_cast<size_t>(sqlite3_column_bytes(select, 1)));
    benchmark::DoNotOptimize(buffer);
    sqlite3_reset(select);
  }
  sqlite3_finalize(select);
  state.SetItemsProcessed(state.iterations());
}

void OpenKeyFiveLevelsDeep(benchmark::State& state) {
  benchKey();
  std::u16string path = userRoot() + u"\\Software\\Tarn\\Tarn Vesper\\SaveData\\Bench";
  UNICODE_STRING s = counted(path);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &s, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  for (auto _ : state) {
    HANDLE h = nullptr;
    if (NtOpenKey(&h, KEY_ALL_ACCESS, &attributes) != STATUS_SUCCESS) state.SkipWithError("open");
    NtClose(h);
  }
}

BENCHMARK(NativeValueWrite)->MinTime(2.0);
BENCHMARK(RawValueWrite)->MinTime(2.0);
BENCHMARK(NativeValueRead);
BENCHMARK(RawValueRead);
BENCHMARK(OpenKeyFiveLevelsDeep);

// Keeps each benchmark's time per iteration so that the ratios can be printed after the run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.iterations > 0) seconds[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/vesper-registry-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  folder = pattern;
  setenv("VESPER_REGISTRY", (folder + "/registry.db").c_str(), 1);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&](const char* native, const char* raw, double target) {
    if (!reporter.seconds.count(native) || !reporter.seconds.count(raw)) return;
    double r = reporter.seconds[native] / reporter.seconds[raw];
    std::printf("%s / %s: %.2fx the time of raw SQLite (target within %.1fx) %s\n", native, raw, r, target,
                r <= target ? "ok" : "OVER TARGET");
  };
  std::printf("\n");
  ratio("NativeValueWrite/min_time:2.000", "RawValueWrite/min_time:2.000", 1.5);
  ratio("NativeValueRead", "RawValueRead", 2.0);
  if (reporter.seconds.count("OpenKeyFiveLevelsDeep")) {
    double us = reporter.seconds["OpenKeyFiveLevelsDeep"] * 1e6;
    std::printf("Open of a key five levels deep: %.1f microseconds (target under 100) %s\n", us,
                us < 100 ? "ok" : "OVER TARGET");
  }
  std::string command = "rm -rf '" + folder + "'";
  return system(command.c_str()) == 0 ? 0 : 1;
}
