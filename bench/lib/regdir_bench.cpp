// Value writes and reads through the registry key objects against raw SQLite doing the same work
// with the same durability (WAL, synchronous FULL, one immediate transaction per write), and the
// time to open a key five levels deep. Prints the ratios at the end of the run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "RatioReport.h"
#include "reg/IRegDir.h"
#include "reg/win/RegDir.h"

using s::reg::IRegDir;
using s::reg::win::RegDir;

namespace {

constexpr int kNames = 64;

std::string benchFolder;

std::u16string valueName(int i) {
  std::string n = "Value" + std::to_string(i);
  return std::u16string(n.begin(), n.end());
}

// The raw reference: a table shaped like the hive's values, written and read with prepared statements.
class RawSqlite {
 public:
  explicit RawSqlite(const std::string& file) {
    sqlite3_open(file.c_str(), &db);
    sqlite3_busy_timeout(db, 5000);
    exec("PRAGMA journal_mode = WAL");
    exec("PRAGMA synchronous = FULL");
    exec("CREATE TABLE IF NOT EXISTS vals(id INTEGER PRIMARY KEY, key_id INTEGER NOT NULL, name TEXT NOT NULL,"
         " folded TEXT NOT NULL, type INTEGER NOT NULL, data BLOB)");
    exec("CREATE UNIQUE INDEX IF NOT EXISTS vals_by_name ON vals(key_id, folded)");
    sqlite3_prepare_v2(db,
                       "INSERT INTO vals(key_id, name, folded, type, data) VALUES (1, ?1, ?2, 4, ?3)"
                       " ON CONFLICT(key_id, folded) DO UPDATE SET name = ?1, type = 4, data = ?3",
                       -1, &upsert, nullptr);
    sqlite3_prepare_v2(db, "SELECT type, data FROM vals WHERE key_id = 1 AND folded = ?1", -1, &select, nullptr);
  }
  ~RawSqlite() {
    sqlite3_finalize(upsert);
    sqlite3_finalize(select);
    sqlite3_close(db);
  }
  void write(const std::string& name, const std::string& folded, uint32_t value) {
    exec("BEGIN IMMEDIATE");
    sqlite3_bind_text(upsert, 1, name.c_str(), -1, SQLITE_STATIC);
    sqlite3_bind_text(upsert, 2, folded.c_str(), -1, SQLITE_STATIC);
    sqlite3_bind_blob(upsert, 3, &value, sizeof value, SQLITE_TRANSIENT);
    sqlite3_step(upsert);
    sqlite3_reset(upsert);
    exec("COMMIT");
  }
  uint32_t read(const std::string& folded) {
    uint32_t value = 0;
    sqlite3_bind_text(select, 1, folded.c_str(), -1, SQLITE_STATIC);
    if (sqlite3_step(select) == SQLITE_ROW && sqlite3_column_bytes(select, 1) == 4)
      std::memcpy(&value, sqlite3_column_blob(select, 1), 4);
    sqlite3_reset(select);
    return value;
  }

 private:
  void exec(const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
  sqlite3* db = nullptr;
  sqlite3_stmt* upsert = nullptr;
  sqlite3_stmt* select = nullptr;
};

void BM_RegDirWrite(benchmark::State& state) {
  RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser, u"Software\\VesperBench\\Values");
  key->create();
  std::vector<std::u16string> names;
  for (int i = 0; i < kNames; ++i) names.push_back(valueName(i));
  uint32_t counter = 0;
  for (auto _ : state) {
    // A new value every time: an unchanged value could legitimately skip the disk.
    ++counter;
    benchmark::DoNotOptimize(key->setU32(names[counter % kNames].c_str(), counter));
  }
  key->release();
}
BENCHMARK(BM_RegDirWrite)->UseRealTime();

void BM_SqliteWrite(benchmark::State& state) {
  RawSqlite raw(benchFolder + "/raw.db");
  std::vector<std::string> names, folded;
  for (int i = 0; i < kNames; ++i) {
    names.push_back("Value" + std::to_string(i));
    folded.push_back("VALUE" + std::to_string(i));
  }
  uint32_t counter = 0;
  for (auto _ : state) {
    ++counter;
    raw.write(names[counter % kNames], folded[counter % kNames], counter);
  }
}
BENCHMARK(BM_SqliteWrite)->UseRealTime();

void BM_RegDirRead(benchmark::State& state) {
  RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser, u"Software\\VesperBench\\Values");
  key->create();
  std::vector<std::u16string> names;
  for (int i = 0; i < kNames; ++i) {
    names.push_back(valueName(i));
    key->setU32(names.back().c_str(), static_cast<uint32_t>(i));
  }
  uint32_t counter = 0;
  for (auto _ : state) benchmark::DoNotOptimize(key->getU32(names[++counter % kNames].c_str(), 0));
  key->release();
}
BENCHMARK(BM_RegDirRead)->UseRealTime();

void BM_SqliteRead(benchmark::State& state) {
  RawSqlite raw(benchFolder + "/raw.db");
  std::vector<std::string> folded;
  for (int i = 0; i < kNames; ++i) {
    folded.push_back("VALUE" + std::to_string(i));
    raw.write("Value" + std::to_string(i), folded.back(), static_cast<uint32_t>(i));
  }
  uint32_t counter = 0;
  for (auto _ : state) benchmark::DoNotOptimize(raw.read(folded[++counter % kNames]));
}
BENCHMARK(BM_SqliteRead)->UseRealTime();

void BM_RegDirOpenFiveLevels(benchmark::State& state) {
  const char16_t* path = u"Software\\VesperBench\\Level3\\Level4\\Level5";
  RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser, path);
  key->create();
  for (auto _ : state) benchmark::DoNotOptimize(key->open(path));
  key->release();
}
BENCHMARK(BM_RegDirOpenFiveLevels)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/vesper-regdir-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  benchFolder = pattern;
  setenv("VESPER_REGISTRY", (benchFolder + "/hive.db").c_str(), 1);
  benchmark::Initialize(&argc, argv);
  bench::CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& times = reporter.nsPerIteration;
  struct Pair {
    const char* label;
    const char* ours;
    const char* reference;
    double target;
  } pairs[] = {{"RegDir writes vs SQLite inserts", "BM_RegDirWrite/real_time", "BM_SqliteWrite/real_time", 1.5},
               {"RegDir reads vs SQLite selects", "BM_RegDirRead/real_time", "BM_SqliteRead/real_time", 2.0}};
  for (const Pair& p : pairs) {
    auto ours = times.find(p.ours);
    auto ref = times.find(p.reference);
    if (ours == times.end() || ref == times.end() || ref->second <= 0) continue;
    double ratio = ours->second / ref->second;
    std::printf("%s ratio: %.2f (%.0f vs %.0f per second; target <= %.2f: %s)\n", p.label, ratio,
                1e9 / ours->second, 1e9 / ref->second, p.target, ratio <= p.target ? "met" : "missed");
  }
  auto open = times.find("BM_RegDirOpenFiveLevels/real_time");
  if (open != times.end())
    std::printf("Five-level open: %.1f us (target < 100 us: %s)\n", open->second / 1000.0,
                open->second < 100000.0 ? "met" : "missed");
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(benchFolder, ignored);
  return 0;
}
