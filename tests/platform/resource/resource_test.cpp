// Resources compiled into this test program from fixtures/resources.txt: lookups by integer and string
// names and types, the errors of failed lookups, and the exact bytes behind a found resource.
#include <win/error.h>
#include <win/module.h>
#include <win/resource.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSmallXml = "<lang><entry id=\"1\"/></lang>\n";
const std::string kHello = "Hello, world!";
const std::string kBytes("\x00\x01\x7f\x80\xfe\xff\r\n\x1a\x00", 10);

// The bytes of a resource, read the way the library reads them; "<missing E>" when the lookup fails.
std::string contents(HMODULE module, LPCWSTR name, LPCWSTR type) {
  SetLastError(ERROR_SUCCESS);
  HRSRC resource = FindResourceW(module, name, type);
  if (!resource) return "<missing " + std::to_string(GetLastError()) + ">";
  HGLOBAL handle = LoadResource(module, resource);
  DWORD size = SizeofResource(module, resource);
  const char* data = static_cast<const char*>(LockResource(handle));
  if (!data) return "<no data>";
  return std::string(data, size);
}

std::string missing(DWORD error) { return "<missing " + std::to_string(error) + ">"; }

struct LookupCase {
  const char* label;
  LPCWSTR name;
  LPCWSTR type;
  std::string expected;
};

TEST(FindResource, FindsByIntegerAndStringNamesAndTypes) {
  const LookupCase cases[] = {
      {"integer name, string type", MAKEINTRESOURCEW(7), u"IDR_XML", kSmallXml},
      {"type in another case", MAKEINTRESOURCEW(7), u"idr_Xml", kSmallXml},
      {"name as #number", u"#7", u"IDR_XML", kSmallXml},
      {"leading zeros in #number", u"#007", u"IDR_XML", kSmallXml},
      {"string name and type", u"Greeting", u"Text", kHello},
      {"string name in other cases", u"gREETING", u"TEXT", kHello},
      {"integer type", MAKEINTRESOURCEW(20), RT_RCDATA, kBytes},
      {"integer type as #number", MAKEINTRESOURCEW(20), u"#10", kBytes},
      {"same name, other type", MAKEINTRESOURCEW(7), u"Other", kHello},
      {"empty file", MAKEINTRESOURCEW(21), u"IDR_XML", ""},
  };
  for (const LookupCase& c : cases) EXPECT_EQ(contents(nullptr, c.name, c.type), c.expected) << c.label;
}

TEST(FindResource, ReportsWhetherTheTypeOrTheNameIsMissing) {
  const LookupCase cases[] = {
      {"unknown integer name", MAKEINTRESOURCEW(8), u"IDR_XML", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"string name under the wrong type", u"Greeting", u"IDR_XML", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"prefix of a name", u"Greet", u"Text", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"name longer than a name", u"Greetings", u"Text", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"integer name given as text", u"7", u"IDR_XML", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"# followed by letters", u"#7x", u"IDR_XML", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"# alone", u"#", u"IDR_XML", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"#65543 does not wrap around to 7", u"#65543", u"IDR_XML", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"null name", nullptr, u"IDR_XML", missing(ERROR_RESOURCE_NAME_NOT_FOUND)},
      {"unknown string type", MAKEINTRESOURCEW(7), u"IDR_JSON", missing(ERROR_RESOURCE_TYPE_NOT_FOUND)},
      {"prefix of a type", MAKEINTRESOURCEW(7), u"IDR_XM", missing(ERROR_RESOURCE_TYPE_NOT_FOUND)},
      {"unknown integer type", MAKEINTRESOURCEW(20), MAKEINTRESOURCEW(11), missing(ERROR_RESOURCE_TYPE_NOT_FOUND)},
      {"integer type given as text", MAKEINTRESOURCEW(20), u"10", missing(ERROR_RESOURCE_TYPE_NOT_FOUND)},
      {"null type", MAKEINTRESOURCEW(7), nullptr, missing(ERROR_RESOURCE_TYPE_NOT_FOUND)},
  };
  for (const LookupCase& c : cases) EXPECT_EQ(contents(nullptr, c.name, c.type), c.expected) << c.label;
}

TEST(FindResource, TheExecutableHandleIsTheSameAsNull) {
  HMODULE self = GetModuleHandleW(nullptr);
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(contents(self, MAKEINTRESOURCEW(7), u"IDR_XML"), kSmallXml);
  EXPECT_EQ(FindResourceW(self, u"greeting", u"text"), FindResourceW(nullptr, u"GREETING", u"TEXT"));
}

TEST(FindResource, OtherModulesHaveNoResources) {
  HMODULE ntdll = LoadLibraryW(u"ntdll.dll");
  ASSERT_NE(ntdll, nullptr);
  EXPECT_EQ(contents(ntdll, MAKEINTRESOURCEW(7), u"IDR_XML"), missing(ERROR_RESOURCE_DATA_NOT_FOUND));
  FreeLibrary(ntdll);

  int notAModule = 0;
  EXPECT_EQ(contents(reinterpret_cast<HMODULE>(&notAModule), MAKEINTRESOURCEW(7), u"IDR_XML"),
            missing(ERROR_INVALID_HANDLE));
}

TEST(LoadResource, RejectsHandlesThatFindResourceDidNotGive) {
  int notAResource = 0;
  const HRSRC bad[] = {nullptr, reinterpret_cast<HRSRC>(&notAResource)};
  for (HRSRC resource : bad) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadResource(nullptr, resource), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(SizeofResource(nullptr, resource), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
}

TEST(LoadResource, DataStaysPutAndNeedsNoRelease) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(20), RT_RCDATA);
  ASSERT_NE(resource, nullptr);
  HGLOBAL first = LoadResource(nullptr, resource);
  EXPECT_EQ(FreeResource(first), FALSE);
  HGLOBAL second = LoadResource(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(20), RT_RCDATA));
  EXPECT_EQ(LockResource(first), LockResource(second));
  EXPECT_EQ(SizeofResource(nullptr, resource), kBytes.size());
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST(ResourceMacros, IntegerIdsAreTheLowAddresses) {
  EXPECT_TRUE(IS_INTRESOURCE(MAKEINTRESOURCEW(130)));
  EXPECT_TRUE(IS_INTRESOURCE(MAKEINTRESOURCE(0xFFFF)));
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(MAKEINTRESOURCEW(0x1FFFF)), 0xFFFFu);  // only 16 bits count
  EXPECT_FALSE(IS_INTRESOURCE(u"IDR_XML"));
}

}  // namespace
