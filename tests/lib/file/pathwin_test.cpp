#include <gtest/gtest.h>

#include <win/error.h>
#include <win/file.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "file/win/PathWin.h"

using s::col::_array::ArrayU08;
using s::file::IPath;
using s::file::win::PathWin;
using s::str::strbuffer::StrBuffer;

namespace {

std::u16string widen(const std::string& utf8) {
  StrBuffer* text = StrBuffer::acquire();
  text->fromUtf8(utf8.data(), false, static_cast<int32_t>(utf8.size()));
  std::u16string out(text->getChars() ? text->getChars() : u"", text->length());
  text->release();
  return out;
}

std::string narrow(const char16_t* wide) {
  StrBuffer* text = StrBuffer::acquireText(wide);
  ArrayU08* bytes = text->toUtf8(nullptr, false);
  std::string out(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  bytes->release();
  text->release();
  return out;
}

class PathWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pathwin_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override { (void)system(("rm -rf '" + folder + "'").c_str()); }

  PathWin* path(const std::string& relative) { return PathWin::acquireText(widen(folder + relative).c_str()); }
  void writeFile(const std::string& relative, const std::string& content) {
    std::ofstream(folder + relative, std::ios::binary) << content;
  }

  std::string folder;
};

TEST_F(PathWinTest, TextIsNormalised) {
  const struct {
    const char16_t* given;
    const char16_t* kept;
  } cases[] = {
      {u"/a/b", u"/a/b"},      {u"\\a\\b", u"/a/b"}, {u"/a/b/", u"/a/b"},
      {u"/a/b//", u"/a/b"},    {u"/", u"/"},         {u"rel\\x", u"rel/x"},
      {u"", u""},
  };
  for (const auto& c : cases) {
    PathWin* p = PathWin::acquireText(c.given);
    EXPECT_EQ(std::u16string(p->getText()), std::u16string(c.kept)) << narrow(c.given);
    p->release();
  }
}

TEST_F(PathWinTest, ParentsUpToTheRoot) {
  const struct {
    const char16_t* given;
    const char16_t* parent;  // null: none
  } cases[] = {
      {u"/a/b/c.xml", u"/a/b"}, {u"/a", u"/"}, {u"/", nullptr}, {u"a/b", u"a"}, {u"a", nullptr}, {u"", nullptr},
  };
  for (const auto& c : cases) {
    PathWin* p = PathWin::acquireText(c.given);
    IPath* parent = p->acquireParent();
    if (c.parent) {
      ASSERT_NE(parent, nullptr) << narrow(c.given);
      EXPECT_EQ(std::u16string(parent->getText()), std::u16string(c.parent));
      parent->release();
    } else {
      EXPECT_EQ(parent, nullptr) << narrow(c.given);
    }
    p->release();
  }
}

TEST_F(PathWinTest, ChildJoinsWithOneSeparator) {
  PathWin* root = PathWin::acquireText(u"/");
  IPath* a = root->acquireChild(u"a");
  IPath* b = a->acquireChild(u"b\\c");
  EXPECT_EQ(std::u16string(a->getText()), u"/a");
  EXPECT_EQ(std::u16string(b->getText()), u"/a/b/c");
  b->release();
  a->release();
  root->release();
}

TEST_F(PathWinTest, ExistenceSizeAndContent) {
  writeFile("/data.bin", std::string("ab\0cd", 5));
  writeFile("/empty", "");
  PathWin* data = path("/data.bin");
  PathWin* empty = path("/empty");
  PathWin* missing = path("/missing/file");
  PathWin* self = path("");
  EXPECT_TRUE(data->exists());
  EXPECT_FALSE(data->isFolder());
  EXPECT_EQ(data->getSize(), 5);
  EXPECT_EQ(empty->getSize(), 0);
  EXPECT_FALSE(missing->exists());
  EXPECT_EQ(missing->getSize(), -1);
  EXPECT_TRUE(self->isFolder());
  EXPECT_EQ(self->getSize(), -1) << "a folder has no file size";

  ArrayU08* bytes = ArrayU08::acquire();
  bytes->add(9);
  ASSERT_TRUE(data->readAll(bytes));
  ASSERT_EQ(bytes->size(), 5u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()), 5), std::string("ab\0cd", 5));
  EXPECT_TRUE(empty->readAll(bytes));
  EXPECT_EQ(bytes->size(), 0u);
  bytes->add(1);
  EXPECT_FALSE(missing->readAll(bytes));
  EXPECT_EQ(bytes->size(), 0u);
  EXPECT_FALSE(self->readAll(bytes));
  bytes->release();
  for (PathWin* p : {data, empty, missing, self}) p->release();
}

TEST_F(PathWinTest, WriteAllReplacesTheContent) {
  PathWin* file = path("/out.txt");
  ASSERT_TRUE(file->writeAll("a longer first text", 19));
  ASSERT_TRUE(file->writeAll("short", 5));
  EXPECT_EQ(file->getSize(), 5);
  ASSERT_TRUE(file->writeAll(nullptr, 0));
  EXPECT_EQ(file->getSize(), 0);
  file->release();
  PathWin* inMissingFolder = path("/no/such/out.txt");
  EXPECT_FALSE(inMissingFolder->writeAll("x", 1));
  inMissingFolder->release();
}

TEST_F(PathWinTest, CreateFolderMakesEveryMissingLevel) {
  PathWin* deep = path("/x/y/z");
  EXPECT_TRUE(deep->createFolder());
  EXPECT_TRUE(deep->isFolder());
  EXPECT_TRUE(deep->createFolder()) << "an existing folder is fine";
  deep->release();
  writeFile("/plain", "f");
  PathWin* overFile = path("/plain/sub");
  EXPECT_FALSE(overFile->createFolder());
  overFile->release();
  PathWin* file = path("/plain");
  EXPECT_FALSE(file->createFolder()) << "a file is not a folder";
  file->release();
}

TEST_F(PathWinTest, ExecutablePathAndFolder) {
  PathWin* exe = PathWin::acquireExecutable();
  ASSERT_NE(exe, nullptr);
  char real[4096];
  ssize_t n = readlink("/proc/self/exe", real, sizeof real - 1);
  ASSERT_GT(n, 0);
  EXPECT_EQ(narrow(exe->getText()), std::string(real, static_cast<size_t>(n)));
  EXPECT_TRUE(exe->exists());
  PathWin* folder = PathWin::acquireExecutableFolder();
  ASSERT_NE(folder, nullptr);
  EXPECT_TRUE(folder->isFolder());
  std::string exeText = narrow(exe->getText());
  EXPECT_EQ(narrow(folder->getText()), exeText.substr(0, exeText.find_last_of('/')));
  folder->release();
  exe->release();
}

// The Win32 calls underneath, where their contracts matter to callers.
TEST_F(PathWinTest, FileCallsFollowTheWin32Contract) {
  std::u16string file = widen(folder + "/f.txt");
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  std::u16string deep = widen(folder + "/none/f.txt");
  EXPECT_EQ(GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  h = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done = 0;
  EXPECT_TRUE(WriteFile(h, "hello", 5, &done, nullptr));
  EXPECT_EQ(done, 5u);
  LARGE_INTEGER size;
  EXPECT_TRUE(GetFileSizeEx(h, &size));
  EXPECT_EQ(size.QuadPart, 5);
  char buffer[8];
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(done, 0u) << "at the end of the file";
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h)) << "a closed handle is invalid";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(ReadFile(h, buffer, 1, &done, nullptr));

  h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(h);
  EXPECT_EQ(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

  std::u16string dir = widen(folder);
  EXPECT_EQ(CreateFileW(dir.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(CreateDirectoryW(dir.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryW(deep.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_NE(GetFileAttributesW(dir.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(PathWinTest, ModuleFileNameTruncatesAndTerminates) {
  char16_t tiny[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(GetModuleFileNameW(nullptr, tiny, 4), 4u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(tiny[3], 0);
  EXPECT_EQ(tiny[0], u'/');
}

}  // namespace
