// A warm pool's acquire + release against new + delete of the same class, on one and two threads.
#include "RatioReport.h"
#include "base/str/strarray/StrArray.h"

using s::str::strarray::StrArray;

static void poolAcquireRelease(benchmark::State& state) {
  StrArray::acquire()->release();  // warm the pool
  for (auto _ : state) {
    StrArray* a = StrArray::acquire();
    benchmark::DoNotOptimize(a);
    a->release();
  }
}
BENCHMARK(poolAcquireRelease)->Threads(1)->Threads(2);

static void heapNewDelete(benchmark::State& state) {
  for (auto _ : state) {
    StrArray* a = new StrArray();
    benchmark::DoNotOptimize(a);
    delete a;
  }
}
BENCHMARK(heapNewDelete)->Threads(1)->Threads(2);

int main(int argc, char** argv) {
  return bench::runAndPrintRatios(
      argc, argv,
      {{"pool acquire+release / new+delete, 1 thread", "poolAcquireRelease/threads:1", "heapNewDelete/threads:1", 1.0},
       {"pool acquire+release / new+delete, 2 threads", "poolAcquireRelease/threads:2", "heapNewDelete/threads:2", 1.0}});
}
