// Loading the main language pack (parse plus filling the packs) and looking texts up, beside
// pugixml's parse of the same bytes.
#include <benchmark/benchmark.h>

#include <win/resource.h>

#include <cstring>
#include <vector>

#include "RatioReport.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "lang/Localizer.h"
#include "xml/Node.h"

#ifdef VESPER_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

namespace {

struct PackBytes {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
};

PackBytes mainPack() {
  PackBytes bytes;
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(130), u"IDR_XML");
  if (!resource) return bytes;
  bytes.data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, resource)));
  bytes.size = SizeofResource(nullptr, resource);
  return bytes;
}

// Decoding, parsing and filling the packs, then giving everything back: what loading the resource
// does, through the very call it makes.
void BM_LoadMainPack(benchmark::State& state) {
  PackBytes bytes = mainPack();
  if (!bytes.data) {
    state.SkipWithError("resource 130 is missing");
    return;
  }
  for (auto _ : state) {
    s::lang::Localizer* localizer = s::lang::Localizer::acquire()->loadFromBytes(bytes.data, bytes.size);
    benchmark::DoNotOptimize(localizer->packCount());
    localizer->release();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size);
}
BENCHMARK(BM_LoadMainPack);

// The library's own decoding and parse alone, to tell the reader's share of the load.
void BM_ParseMainPack(benchmark::State& state) {
  PackBytes bytes = mainPack();
  if (!bytes.data) {
    state.SkipWithError("resource 130 is missing");
    return;
  }
  for (auto _ : state) {
    s::str::strbuffer::StrBuffer* text = s::str::strbuffer::StrBuffer::acquire();
    text->fromUtf8(bytes.data, false, static_cast<int32_t>(bytes.size));
    s::xml::Node* root = s::xml::Node::acquire();
    root->parse(text->getText());
    text->release();
    benchmark::DoNotOptimize(root->childCount());
    root->release();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size);
}
BENCHMARK(BM_ParseMainPack);

#ifdef VESPER_HAVE_PUGIXML
// pugixml's in-place parse of the same bytes (its buffer copy included, as our decoding is).
void BM_PugixmlParseMainPack(benchmark::State& state) {
  PackBytes bytes = mainPack();
  if (!bytes.data) {
    state.SkipWithError("resource 130 is missing");
    return;
  }
  for (auto _ : state) {
    pugi::xml_document document;
    pugi::xml_parse_result result = document.load_buffer(bytes.data, bytes.size, pugi::parse_default,
                                                         pugi::encoding_utf8);
    benchmark::DoNotOptimize(result.status);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size);
}
BENCHMARK(BM_PugixmlParseMainPack);
#endif

// 10,000 look-ups spread over all numbers of the current pack, the last ones taking longest.
void BM_TextLookups(benchmark::State& state) {
  s::lang::Localizer* localizer = s::lang::Localizer::acquire()->loadFromResource(nullptr, u"IDR_XML", 130);
  s::lang::LangPack* pack = localizer->getCurrent();
  if (!pack || pack->textCount() == 0) {
    state.SkipWithError("resource 130 is missing");
    localizer->release();
    return;
  }
  std::vector<int32_t> ids;
  for (uint32_t i = 0; i < 10000; ++i) ids.push_back(pack->idAt((i * 7) % pack->textCount()));
  for (auto _ : state) {
    for (int32_t id : ids) benchmark::DoNotOptimize(localizer->text(id));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 10000);
  state.counters["time_per_lookup"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * 10000, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  localizer->release();
}
BENCHMARK(BM_TextLookups);

}  // namespace

int main(int argc, char** argv) {
  return bench::runAndPrintRatios(
      argc, argv, {{"load of resource 130 vs pugixml parse", "BM_LoadMainPack", "BM_PugixmlParseMainPack", 2.0}});
}
