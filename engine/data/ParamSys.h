#pragma once
// The parameters of one open data source: the texts the open string was cut
// into (spec=<specifier>, then each option as written) and the Files folder.

#include <string>
#include <vector>

#include "runtime/InOut.h"

class TParamSys final : public IIOParamSys {
public:
  explicit TParamSys(std::string FilesFolder) : filesFolder_(std::move(FilesFolder)) {}

  // Names compare ignoring the case of A-Z; a text without "=" has no name.
  std::string GetValue(const std::string& Name) override;
  std::string GetFilesFolder() override { return filesFolder_; }
  std::int32_t AddParam(const std::string& Text) override;

  // In insertion order.
  const std::vector<std::string>& Texts() const { return texts_; }

private:
  std::vector<std::string> texts_;
  const std::string filesFolder_;
};
