#pragma once
// A settings store of its own for one test, in a fresh configuration folder.

#include <memory>
#include <string>

#include "runtime/IniFile.h"
#include "runtime/Storage.h"
#include "tests/runtime/TempFolder.h"

class StoredSettings : public ::testing::Test {
protected:
  StoredSettings() { Storage = std::make_unique<TStorage>("Console.ini", 0); }
  ~StoredSettings() override { Storage.reset(); }

  void Store(const std::string& section, const std::string& key, const std::string& value) {
    Storage->OpenSection(section, false);
    TSectionCloser closer(*Storage);
    Storage->WriteString(key, value);
  }
  std::string Stored(const std::string& section, const std::string& key) {
    Storage->OpenSection(section, false);
    TSectionCloser closer(*Storage);
    return Storage->ReadString(key, "<none>");
  }

  TempFolder config;
  ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.Path().string()};
};
