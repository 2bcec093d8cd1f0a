#include "engine/data/ParamSys.h"

#include "engine/HashTab.h"

std::string TParamSys::GetValue(const std::string& Name) {
  for (const std::string& text : texts_) {
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos && SameName(std::string_view(text).substr(0, equals), Name))
      return text.substr(equals + 1);
  }
  return {};
}

std::int32_t TParamSys::AddParam(const std::string& Text) {
  texts_.push_back(Text);
  return static_cast<std::int32_t>(texts_.size() - 1);
}
