#include "skin/menus/MenuSupport.h"

#include "toolkit/gdi/Font.h"

TSkMenuSupport::TSkMenuSupport() : extraLineFont_(std::make_unique<TFont>()) {}

TSkMenuSupport::~TSkMenuSupport() = default;

void TSkMenuSupport::SetExtraLineFont(const TFont& font) { extraLineFont_->Assign(font); }
