// The byte-stream faces of arrays and the independent collection input streams.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/col/CollectionInputStream.h"
#include "base/col/_array/ArrayU08.h"
#include "base/col/_array/ArrayU32.h"

namespace {

using s::col::CollectionInputStream;
using s::col::_array::ArrayU08;
using s::col::_array::ArrayU32;
using s::io::IInputStream;

// Reads up to n bytes into a buffer pre-filled with 0xEE, so bytes from outside the array show up.
struct ReadResult {
  bool ok;
  uint32_t got;
  std::vector<uint8_t> buffer;
};

ReadResult readFrom(IInputStream* stream, uint32_t n) {
  ReadResult r{false, 12345, std::vector<uint8_t>(n + 4, 0xEE)};
  r.ok = stream->readBytes(r.buffer.data(), n, &r.got);
  return r;
}

std::vector<uint8_t> bytes(std::initializer_list<int> values) {
  return std::vector<uint8_t>(values.begin(), values.end());
}

std::vector<uint8_t> head(const ReadResult& r) {
  return std::vector<uint8_t>(r.buffer.begin(), r.buffer.begin() + r.got);
}

class ArrayStream : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint8_t content[] = {1, 2, 3, 4, 5};
    five->append(content, 5);
  }
  void TearDown() override { five->release(); }
  ArrayU08* five = ArrayU08::acquire();
};

// Each step positions the stream, then reads n bytes.
struct ReadStep {
  const char* name;
  void (*position)(IInputStream*);
  uint32_t n;
  bool ok;
  std::vector<uint8_t> expected;
  uint32_t positionAfter;
};

const ReadStep kReadSteps[] = {
    {"from the start", [](IInputStream*) {}, 3, true, bytes({1, 2, 3}), 3},
    {"short read at the end", [](IInputStream* s) { s->setPosition(3); }, 9, true, bytes({4, 5}), 5},
    {"at the end", [](IInputStream* s) { s->seekEnd(); }, 1, false, {}, 5},
    {"past the end", [](IInputStream* s) { s->setPosition(100); }, 4, false, {}, 100},
    {"before the end", [](IInputStream* s) { s->seekBeforeEnd(2); }, 9, true, bytes({4, 5}), 5},
    {"before the end by more than all", [](IInputStream* s) { s->seekBeforeEnd(99); }, 2, true, bytes({1, 2}),
     2},
    {"skip forward", [](IInputStream* s) { s->skipForward(1); }, 1, true, bytes({2}), 2},
    {"skip back",
     [](IInputStream* s) {
       s->setPosition(4);
       s->skipBackward(2);
     },
     1, true, bytes({3}), 3},
    {"skip back past the start",
     [](IInputStream* s) {
       s->setPosition(1);
       s->skipBackward(5);
     },
     1, true, bytes({1}), 1},
    {"rewind",
     [](IInputStream* s) {
       s->seekEnd();
       s->rewind();
     },
     1, true, bytes({1}), 1},
    {"zero bytes inside", [](IInputStream*) {}, 0, true, {}, 0},
};

void runReadSteps(IInputStream* stream, const char* face) {
  for (const ReadStep& step : kReadSteps) {
    stream->rewind();
    step.position(stream);
    ReadResult r = readFrom(stream, step.n);
    EXPECT_EQ(r.ok, step.ok) << face << ": " << step.name;
    EXPECT_EQ(head(r), step.expected) << face << ": " << step.name;
    EXPECT_EQ(stream->getPosition(), step.positionAfter) << face << ": " << step.name;
    for (size_t i = r.got; i < r.buffer.size(); ++i)
      ASSERT_EQ(r.buffer[i], 0xEE) << face << ": " << step.name << " wrote past what it reported";
    EXPECT_TRUE(stream->ready());
  }
}

TEST_F(ArrayStream, ArrayReadFaceNeverReturnsDataFromOutside) {
  runReadSteps(five, "array");
  EXPECT_EQ(five->size(), 5u) << "reading leaves the content alone";
}

TEST_F(ArrayStream, CollectionStreamReadsTheSameWay) {
  IInputStream* stream = five->openInputStream();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(static_cast<CollectionInputStream*>(stream)->getClassName(), CollectionInputStream::kClassName);
  runReadSteps(stream, "collection stream");
  stream->release();
}

TEST_F(ArrayStream, CollectionStreamsKeepTheirOwnPositions) {
  IInputStream* a = five->openInputStream();
  IInputStream* b = five->openInputStream();
  five->setPosition(4);
  EXPECT_EQ(head(readFrom(a, 2)), bytes({1, 2}));
  EXPECT_EQ(head(readFrom(b, 1)), bytes({1}));
  EXPECT_EQ(head(readFrom(a, 2)), bytes({3, 4}));
  EXPECT_EQ(five->getPosition(), 4u);
  a->release();
  b->release();
}

TEST(CollectionStream, ReadsAcrossElementBoundariesAndSeesLaterGrowth) {
  ArrayU32* words = ArrayU32::acquire();
  words->add(0x04030201u);
  words->add(0x08070605u);
  IInputStream* stream = words->openInputStream();
  EXPECT_EQ(head(readFrom(stream, 3)), bytes({1, 2, 3}));
  EXPECT_EQ(head(readFrom(stream, 3)), bytes({4, 5, 6}));
  EXPECT_EQ(head(readFrom(stream, 3)), bytes({7, 8}));
  EXPECT_FALSE(readFrom(stream, 1).ok);
  words->add(0x0a09u);
  EXPECT_EQ(head(readFrom(stream, 2)), bytes({9, 10}));
  stream->release();
  words->release();
}

TEST(CollectionStream, WithoutACollectionThereIsNothingToRead) {
  CollectionInputStream* stream = CollectionInputStream::acquire();
  ReadResult r = readFrom(stream, 4);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.got, 0u);
  stream->seekEnd();
  EXPECT_EQ(stream->getPosition(), 0u);
  stream->release();
}

TEST(ArrayWriteFace, WritesGrowTheArrayAndShareThePositionWithReads) {
  ArrayU08* a = ArrayU08::acquire();
  EXPECT_TRUE(a->writeBytes("abc", 3));
  EXPECT_EQ(a->size(), 3u);
  EXPECT_EQ(a->getPosition(), 3u);
  EXPECT_EQ(a->getCapacity(), 100u) << "writes take growth steps";
  a->setPosition(1);
  EXPECT_TRUE(a->writeBytes("XY", 2));
  EXPECT_EQ(a->size(), 3u);
  EXPECT_EQ(head(readFrom(a, 9)), bytes({}));  // the position is at the end
  a->rewind();
  EXPECT_EQ(head(readFrom(a, 9)), bytes({'a', 'X', 'Y'}));
  a->setPosition(5);  // past the end: the gap reads as zero
  EXPECT_TRUE(a->writeBytes("z", 1));
  EXPECT_EQ(a->size(), 6u);
  a->rewind();
  EXPECT_EQ(head(readFrom(a, 9)), bytes({'a', 'X', 'Y', 0, 0, 'z'}));
  EXPECT_TRUE(a->writeBytes("", 0));
  a->flush();
  a->release();
}

TEST(ArrayWriteFace, PartlyWrittenElementsAreCountedAndZeroFilled) {
  ArrayU32* words = ArrayU32::acquire();
  const uint8_t one[] = {0x11};
  EXPECT_TRUE(words->writeBytes(one, 1));
  ASSERT_EQ(words->size(), 1u);
  EXPECT_EQ(words->get(0), 0x11u);
  const uint8_t more[] = {0x22, 0x33, 0x44, 0x55};
  EXPECT_TRUE(words->writeBytes(more, 4));
  ASSERT_EQ(words->size(), 2u);
  EXPECT_EQ(words->get(0), 0x44332211u);
  EXPECT_EQ(words->get(1), 0x55u);
  EXPECT_EQ(words->getPosition(), 5u);
  words->seekEnd();
  EXPECT_EQ(words->getPosition(), 8u);
  words->release();
}

TEST(ArrayWriteFace, WritingTheArraysOwnBytesIntoItself) {
  ArrayU08* a = ArrayU08::acquire();
  for (uint8_t i = 0; i < 100; ++i) a->add(i);
  a->seekEnd();
  EXPECT_TRUE(a->writeBytes(a->data(), 100));  // grows while the source is its old storage
  ASSERT_EQ(a->size(), 200u);
  for (uint32_t i = 0; i < 200; ++i) ASSERT_EQ(a->get(i), i % 100);
  a->release();
}

}  // namespace
