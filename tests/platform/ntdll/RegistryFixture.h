// A fresh hive in a temporary folder for each test, with short helpers over the native key services.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>
#include <win/ntdll.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

class RegistryFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-registry-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    hivePath_ = folder_ + "/registry.db";
    setenv("VESPER_REGISTRY", hivePath_.c_str(), 1);
  }

  void TearDown() override {
    for (HANDLE h : handles_) NtClose(h);
    unsetenv("VESPER_REGISTRY");
    std::string command = "rm -rf '" + folder_ + "'";
    if (system(command.c_str()) != 0) ADD_FAILURE() << "could not remove " << folder_;
  }

  static std::u16string wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

  static std::u16string userRoot() {
    return u"\\Registry\\User\\S-1-22-1-" + wide(std::to_string(geteuid()));
  }

  // A counted string over a literal, which outlives the call it is passed to.
  static UNICODE_STRING counted(const char16_t* text) {
    UNICODE_STRING s;
    s.Length = static_cast<USHORT>(std::char_traits<char16_t>::length(text) * 2);
    s.MaximumLength = s.Length;
    s.Buffer = const_cast<char16_t*>(text);
    return s;
  }

  static UNICODE_STRING counted(const std::u16string& text) {
    UNICODE_STRING s;
    s.Length = static_cast<USHORT>(text.size() * 2);
    s.MaximumLength = s.Length;
    s.Buffer = const_cast<char16_t*>(text.data());
    return s;
  }

  NTSTATUS open(const std::u16string& name, HANDLE& handle, ACCESS_MASK access = KEY_ALL_ACCESS,
                HANDLE root = nullptr) {
    UNICODE_STRING s = counted(name);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &s, OBJ_CASE_INSENSITIVE, root, nullptr);
    NTSTATUS status = NtOpenKey(&handle, access, &attributes);
    if (NT_SUCCESS(status)) handles_.push_back(handle);
    return status;
  }

  NTSTATUS create(const std::u16string& name, HANDLE& handle, ULONG* disposition = nullptr,
                  ACCESS_MASK access = KEY_ALL_ACCESS, HANDLE root = nullptr) {
    UNICODE_STRING s = counted(name);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &s, OBJ_CASE_INSENSITIVE, root, nullptr);
    NTSTATUS status = NtCreateKey(&handle, access, &attributes, 0, nullptr, 0, disposition);
    if (NT_SUCCESS(status)) handles_.push_back(handle);
    return status;
  }

  // Creates every missing key of a path below the user's root and answers the last one.
  HANDLE createPath(const std::u16string& below) {
    HANDLE handle = nullptr;
    std::u16string name = userRoot();
    size_t at = 0;
    while (at <= below.size()) {
      size_t end = below.find(u'\\', at);
      if (end == std::u16string::npos) end = below.size();
      name += u"\\" + below.substr(at, end - at);
      EXPECT_EQ(create(name, handle), STATUS_SUCCESS);
      at = end + 1;
    }
    return handle;
  }

  static NTSTATUS setValue(HANDLE key, const std::u16string& name, ULONG type, const void* data, ULONG size) {
    UNICODE_STRING s = counted(name);
    return NtSetValueKey(key, &s, 0, type, const_cast<void*>(data), size);
  }

  // Reads a value with the full information class into a buffer of exactly the needed size.
  static NTSTATUS getValue(HANDLE key, const std::u16string& name, ULONG& type, std::vector<uint8_t>& data,
                           std::u16string* storedName = nullptr) {
    UNICODE_STRING s = counted(name);
    ULONG needed = 0;
    NTSTATUS status = NtQueryValueKey(key, &s, KeyValueFullInformation, nullptr, 0, &needed);
    if (status != STATUS_BUFFER_TOO_SMALL) return status;
    std::vector<uint8_t> buffer(needed);
    status = NtQueryValueKey(key, &s, KeyValueFullInformation, buffer.data(), needed, &needed);
    if (status != STATUS_SUCCESS) return status;
    KEY_VALUE_FULL_INFORMATION info;
    std::memcpy(&info, buffer.data(), offsetof(KEY_VALUE_FULL_INFORMATION, Name));
    type = info.Type;
    data.assign(buffer.begin() + info.DataOffset, buffer.begin() + info.DataOffset + info.DataLength);
    if (storedName)
      storedName->assign(reinterpret_cast<const char16_t*>(buffer.data() + offsetof(KEY_VALUE_FULL_INFORMATION, Name)),
                         info.NameLength / 2);
    return status;
  }

  // The names of the sub-keys in enumeration order.
  static std::vector<std::u16string> subKeys(HANDLE key) {
    std::vector<std::u16string> names;
    uint8_t buffer[1024];
    ULONG length = 0;
    for (ULONG i = 0; NtEnumerateKey(key, i, KeyBasicInformation, buffer, sizeof buffer, &length) == STATUS_SUCCESS; ++i) {
      auto* info = reinterpret_cast<KEY_BASIC_INFORMATION*>(buffer);
      names.emplace_back(info->Name, info->NameLength / 2);
    }
    return names;
  }

  static std::vector<std::u16string> valueNames(HANDLE key) {
    std::vector<std::u16string> names;
    uint8_t buffer[1024];
    ULONG length = 0;
    for (ULONG i = 0;
         NtEnumerateValueKey(key, i, KeyValueBasicInformation, buffer, sizeof buffer, &length) == STATUS_SUCCESS; ++i) {
      auto* info = reinterpret_cast<KEY_VALUE_BASIC_INFORMATION*>(buffer);
      names.emplace_back(info->Name, info->NameLength / 2);
    }
    return names;
  }

  std::string folder_;
  std::string hivePath_;
  std::vector<HANDLE> handles_;
};
