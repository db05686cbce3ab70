// The reg tool run as a separate process on a temporary hive: every value type round-trips through
// add, query, export, delete and import; bad input is refused with an error and leaves the hive alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

std::string readAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  return text;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class RegToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-reg-tool-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    hive_ = folder_ + "/registry.db";
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = 0;
    std::string dir(self);
    tool_ = dir.substr(0, dir.rfind('/')) + "/../bin/reg";
    ASSERT_EQ(access(tool_.c_str(), X_OK), 0) << tool_;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + folder_ + "'";
    if (system(command.c_str()) != 0) ADD_FAILURE();
  }

  // Runs the tool with the arguments, the given standard input and VESPER_REGISTRY set to the test's hive.
  ToolRun reg(const std::vector<std::string>& args, const std::string& input = "") {
    int in[2], out[2], err[2];
    EXPECT_EQ(pipe(in), 0);
    EXPECT_EQ(pipe(out), 0);
    EXPECT_EQ(pipe(err), 0);
    pid_t pid = fork();
    if (pid == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      dup2(err[1], 2);
      for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
      setenv("VESPER_REGISTRY", hive_.c_str(), 1);
      std::vector<char*> argv = {const_cast<char*>("reg")};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(tool_.c_str(), argv.data());
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (!input.empty() && write(in[1], input.data(), input.size()) < 0) ADD_FAILURE();
    close(in[1]);
    ToolRun run;
    run.out = readAll(out[0]);
    run.err = readAll(err[0]);
    close(out[0]);
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  void ok(const std::vector<std::string>& args) {
    ToolRun r = reg(args);
    ASSERT_EQ(r.status, 0) << r.err;
  }

  // Every key and value of the hive as one text, to show that nothing changed.
  std::string dump() {
    sqlite3* db = nullptr;
    std::string text;
    if (sqlite3_open_v2(hive_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return "unreadable";
    for (const char* sql : {"SELECT id, parent, name, class FROM keys ORDER BY id",
                            "SELECT key_id, name, type, hex(data) FROM vals ORDER BY id"}) {
      sqlite3_stmt* statement = nullptr;
      sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
      while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
          const unsigned char* v = sqlite3_column_text(statement, c);
          text += v ? reinterpret_cast<const char*>(v) : "NULL";
          text += "|";
        }
        text += "\n";
      }
      sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return text;
  }

  std::string folder_, hive_, tool_;
};

TEST_F(RegToolTest, EveryValueTypeRoundTrips) {
  const std::string key = "HKCU\\Software\\Vesper Test";
  std::string longHex;
  for (int i = 0; i < 300; ++i) longHex += "0123456789abcdef"[i % 16];
  struct Case {
    std::vector<std::string> args;
    std::string line;  // as `reg query` shows it
  } cases[] = {
      {{"/ve", "/d", "default text"}, "    (Default)    REG_SZ    default text"},
      {{"/v", "Quote \"and\" back\\slash", "/d", "C:\\path \"quoted\""},
       "    Quote \"and\" back\\slash    REG_SZ    C:\\path \"quoted\""},
      {{"/v", "empty", "/d", ""}, "    empty    REG_SZ    "},
      {{"/v", "expand", "/t", "REG_EXPAND_SZ", "/d", "%HOME%\\bin"}, "    expand    REG_EXPAND_SZ    %HOME%\\bin"},
      {{"/v", "multi", "/t", "REG_MULTI_SZ", "/d", "one\\0two\\0\xC3\xA9t\xC3\xA9"},
       "    multi    REG_MULTI_SZ    one\\0two\\0\xC3\xA9t\xC3\xA9"},
      {{"/v", "multi sep", "/t", "reg_multi_sz", "/s", "#", "/d", "a#b"}, "    multi sep    REG_MULTI_SZ    a\\0b"},
      {{"/v", "no strings", "/t", "REG_MULTI_SZ", "/d", ""}, "    no strings    REG_MULTI_SZ    "},
      {{"/v", "dword", "/t", "REG_DWORD", "/d", "4294967295"}, "    dword    REG_DWORD    0xffffffff"},
      {{"/v", "hex dword", "/t", "REG_DWORD", "/d", "0x2A"}, "    hex dword    REG_DWORD    0x2a"},
      {{"/v", "qword", "/t", "REG_QWORD", "/d", "0x123456789abcdef0"}, "    qword    REG_QWORD    0x123456789abcdef0"},
      {{"/v", "binary", "/t", "REG_BINARY", "/d", "00ff10"}, "    binary    REG_BINARY    00FF10"},
      {{"/v", "no bytes", "/t", "REG_BINARY"}, "    no bytes    REG_BINARY    "},
      {{"/v", "long", "/t", "REG_BINARY", "/d", longHex}, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"add", key};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back("/f");
    ok(args);
  }
  ok({"add", key + "\\Child\\Grandchild", "/v", "deep", "/t", "REG_DWORD", "/d", "7", "/f"});

  ToolRun query = reg({"query", key});
  ASSERT_EQ(query.status, 0) << query.err;
  for (const Case& c : cases) {
    if (c.line.empty()) continue;
    EXPECT_NE(query.out.find(c.line + "\n"), std::string::npos) << c.line << "\n" << query.out;
  }
  EXPECT_EQ(query.out.find("\nHKEY_CURRENT_USER\\Software\\Vesper Test\n"), 0u) << query.out;
  EXPECT_NE(query.out.find("\n\nHKEY_CURRENT_USER\\Software\\Vesper Test\\Child\n"), std::string::npos);

  const std::string first = folder_ + "/first.reg", second = folder_ + "/second.reg";
  ok({"export", key, first});
  const std::string before = dump();
  ok({"delete", key, "/f"});
  EXPECT_EQ(reg({"query", key}).status, 1);
  ok({"import", first});
  ok({"export", key, second, "/y"});
  EXPECT_EQ(fileText(first), fileText(second));
  EXPECT_EQ(reg({"query", key}).out, query.out);
  const std::string text = fileText(first);
  ASSERT_GT(text.size(), 2u);
  EXPECT_EQ(text.substr(0, 2), "\xFF\xFE") << "the script is UTF-16 with a byte-order mark";
}

TEST_F(RegToolTest, QueryLaysOutKeysLikeTheRegistryTool) {
  ok({"add", "HKEY_CURRENT_USER\\Software\\Layout", "/ve", "/d", "d", "/f"});
  ok({"add", "hkcu\\software\\layout", "/v", "n", "/t", "REG_DWORD", "/d", "42", "/f"});
  ok({"add", "HKCU\\Software\\Layout\\Sub", "/f"});
  ToolRun r = reg({"query", "HKCU\\Software\\Layout"});
  EXPECT_EQ(r.out,
            "\nHKEY_CURRENT_USER\\Software\\Layout\n    (Default)    REG_SZ    d\n    n    REG_DWORD    0x2a\n\n"
            "HKEY_CURRENT_USER\\Software\\Layout\\Sub\n");
  r = reg({"query", "HKCU\\Software\\Layout\\Sub", "/ve"});
  EXPECT_EQ(r.out, "\nHKEY_CURRENT_USER\\Software\\Layout\\Sub\n    (Default)    REG_SZ    (value not set)\n");
  r = reg({"query", "HKCU\\Software\\Layout", "/v", "N"});
  EXPECT_EQ(r.out, "\nHKEY_CURRENT_USER\\Software\\Layout\n    n    REG_DWORD    0x2a\n");
  r = reg({"query", "HKCU\\Software\\Layout", "/v", "missing"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: The system was unable to find the specified registry key or value.\n");
}

TEST_F(RegToolTest, BadInputIsRefusedAndChangesNothing) {
  ok({"add", "HKCU\\Software\\Kept", "/v", "v", "/d", "x", "/f"});
  const std::string badScript = folder_ + "/bad.reg";
  {
    std::ofstream out(badScript, std::ios::binary);
    out << "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kept]\r\n\"v\"=\"changed\"\r\n"
           "\"n\"=dword:123456789\r\n";
  }
  const std::string notAScript = folder_ + "/plain.txt";
  {
    std::ofstream out(notAScript);
    out << "just text\n";
  }
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"add"},
      {"add", "HKXY\\Software\\Kept", "/f"},
      {"add", "\\\\server\\HKLM\\Software", "/f"},
      {"add", "HKCU\\Software\\Kept\\\\Double", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/t", "REG_UNKNOWN", "/d", "1", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/t", "REG_DWORD", "/d", "4294967296", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/t", "REG_DWORD", "/d", "-1", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/t", "REG_QWORD", "/d", "0x1g", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/t", "REG_BINARY", "/d", "abc", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0b", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/ve", "/f"},
      {"add", "HKCU\\Software\\Kept", "/d", "no value name", "/f"},
      {"add", "HKCU\\Software\\Kept", "/v"},
      {"add", "HKCU\\Software\\Kept", "/v", "v", "/bogus", "/f"},
      {"add", "HKU\\NotMine", "/f"},
      {"delete", "HKCU", "/f"},
      {"delete", "HKCU\\Software\\Missing", "/f"},
      {"delete", "HKCU\\Software\\Kept", "/v", "missing", "/f"},
      {"delete", "HKCU\\Software\\Kept", "/v", "v", "/va", "/f"},
      {"query", "HKCU\\Software\\Missing"},
      {"export", "HKCU\\Software\\Missing", folder_ + "/x.reg"},
      {"export", "HKCU\\Software\\Kept"},
      {"import", folder_ + "/does-not-exist.reg"},
      {"import", badScript},
      {"import", notAScript},
  };
  const std::string before = dump();
  for (const auto& args : cases) {
    ToolRun r = reg(args);
    std::string shown;
    for (const std::string& a : args) shown += a + " ";
    EXPECT_NE(r.status, 0) << shown;
    EXPECT_EQ(r.err.rfind("ERROR", 0), 0u) << shown << ": " << r.err;
    EXPECT_EQ(dump(), before) << shown;
  }
}

TEST_F(RegToolTest, OverwritesAndDeletionsAskFirstWithoutForce) {
  ok({"add", "HKCU\\Software\\Ask", "/v", "v", "/d", "first", "/f"});
  const std::string before = dump();
  ToolRun r = reg({"add", "HKCU\\Software\\Ask", "/v", "v", "/d", "second"}, "no\n");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("Value v exists, overwrite (Yes/No)?"), std::string::npos) << r.out;
  EXPECT_EQ(dump(), before);
  r = reg({"delete", "HKCU\\Software\\Ask"}, "");
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(dump(), before);
  r = reg({"add", "HKCU\\Software\\Ask", "/v", "v", "/d", "second"}, "yes\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(reg({"query", "HKCU\\Software\\Ask"}).out.find("REG_SZ    second"), std::string::npos);
  r = reg({"delete", "HKCU\\Software\\Ask"}, "y\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(reg({"query", "HKCU\\Software\\Ask"}).status, 1);
}

TEST_F(RegToolTest, DeleteRemovesValuesOrTheWholeTree) {
  ok({"add", "HKCU\\Software\\Tree\\A\\B", "/v", "x", "/d", "1", "/f"});
  ok({"add", "HKCU\\Software\\Tree", "/v", "one", "/d", "1", "/f"});
  ok({"add", "HKCU\\Software\\Tree", "/v", "two", "/d", "2", "/f"});
  ok({"add", "HKCU\\Software\\Tree", "/ve", "/d", "d", "/f"});
  ok({"delete", "HKCU\\Software\\Tree", "/v", "ONE", "/f"});
  ok({"delete", "HKCU\\Software\\Tree", "/ve", "/f"});
  ToolRun r = reg({"query", "HKCU\\Software\\Tree"});
  EXPECT_EQ(r.out.find("one"), std::string::npos);
  EXPECT_EQ(r.out.find("(Default)"), std::string::npos);
  EXPECT_NE(r.out.find("two"), std::string::npos);
  ok({"delete", "HKCU\\Software\\Tree", "/va", "/f"});
  EXPECT_EQ(reg({"query", "HKCU\\Software\\Tree"}).out.find("REG_SZ"), std::string::npos);
  ok({"query", "HKCU\\Software\\Tree\\A\\B"});
  ok({"delete", "HKCU\\Software\\Tree", "/f"});
  EXPECT_EQ(reg({"query", "HKCU\\Software\\Tree\\A"}).status, 1);
}

TEST_F(RegToolTest, ImportDeletesWhatTheScriptMarks) {
  ok({"add", "HKCU\\Software\\Gone\\Deep", "/f"});
  ok({"add", "HKCU\\Software\\Stay", "/v", "drop", "/d", "x", "/f"});
  ok({"add", "HKCU\\Software\\Stay", "/v", "keep", "/d", "y", "/f"});
  const std::string script = folder_ + "/changes.reg";
  {
    std::ofstream out(script, std::ios::binary);
    out << "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n; a comment\n[-HKEY_CURRENT_USER\\Software\\Gone]\n\n"
           "[HKEY_CURRENT_USER\\Software\\Stay]\n\"drop\"=-\n\"bin\"=hex:01,02,\\\n  03\n";
  }
  ok({"import", script});
  EXPECT_EQ(reg({"query", "HKCU\\Software\\Gone"}).status, 1);
  ToolRun r = reg({"query", "HKCU\\Software\\Stay"});
  EXPECT_EQ(r.out.find("drop"), std::string::npos);
  EXPECT_NE(r.out.find("    keep    REG_SZ    y\n"), std::string::npos);
  EXPECT_NE(r.out.find("    bin    REG_BINARY    010203\n"), std::string::npos) << r.out;
}

}  // namespace
